#pragma once
// The job's known points as a table: all of them held in memory (a job has
// hundreds or a few thousand), shown through a proxy that sorts by any
// column and keeps the names that contain the filter's text.
#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <vector>

#include "store/known_points.h"

namespace corvanet {

class KnownPointModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, X, Y, H, Code, Source, ColumnCount };
    // The value a column sorts and filters by: the name, code and source as
    // kept, the figures as numbers (none for a point without H).
    static constexpr int ValueRole = Qt::UserRole;

    explicit KnownPointModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void SetPoints(std::vector<KnownPoint> points);
    const std::vector<KnownPoint>& points() const { return points_; }
    const KnownPoint& PointAt(int row) const { return points_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<KnownPoint> points_;
};

// A coordinate or height as the window's coordinate boxes show it, without
// their leading blank: three decimals.
QString CoordinateText(double value);

// What the 来源 column shows for a point's `source`.
QString SourceText(const QString& source);

// Names in the order people expect of them: P2 before P10, Chinese by
// pinyin, capitals among small letters; names that collate alike by their
// code points, so the order is total.
bool NameLess(const QString& a, const QString& b);

class KnownPointSortModel final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit KnownPointSortModel(QObject* parent = nullptr);

    // Keeps the points whose name contains `text`, taken literally,
    // capitals and small letters alike; all of them for an empty text.
    void SetNameFilter(const QString& text);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString filter_;
};

}  // namespace corvanet
