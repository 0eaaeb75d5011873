#pragma once
// The calculations of a job as the 计算记录 window lists them: one query over
// `calculations`, filtered by the start of the point name and ordered by a
// column, read in blocks as the view scrolls to them (SQLite does not tell
// a query's size, so the rows are never all read at once).
#include <QSqlQueryModel>
#include <QString>

namespace corvanet {

class CalculationsModel final : public QSqlQueryModel {
    Q_OBJECT
public:
    enum Column { Time, PointName, Xp, Yp, Md, M, W, Limit, Verdict, Result, ColumnCount };

    // Reads through the Qt SQL connection `connection`, which must outlive
    // the model. Nothing is read until Requery.
    explicit CalculationsModel(QString connection, QObject* parent = nullptr);

    // Rows whose point name starts with `prefix` exactly (case and all);
    // every row when it is empty. Takes effect at the next Requery.
    void SetFilter(const QString& prefix) { prefix_ = prefix; }
    const QString& filter() const { return prefix_; }
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    // Runs the query again with the filter and the order in force; the
    // model then holds its first block of rows. False when SQLite failed
    // (lastError() says why); the model is empty then.
    bool Requery();

    // The id of the calculation on `row`.
    qint64 IdAt(int row) const;

    // The statement Requery runs and the values bound to it, for the
    // filter and order in force.
    QString Sql() const;
    QVariantList BoundValues() const;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Queries again in that order, the id breaking ties the same way.
    void sort(int column, Qt::SortOrder order) override;

private:
    QVariant Raw(int row, int column) const;
    QString CellText(int row, int column) const;

    QString connection_;
    QString prefix_;
    int sortColumn_ = Time;
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
};

}  // namespace corvanet
