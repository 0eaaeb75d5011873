#include "ui/known_point_model.h"

#include <QCollator>
#include <QLocale>

#include "text/escaped_text.h"
#include "text/record_fields.h"

namespace corvanet {
namespace {

QString Safe(const QString& text) { return QString::fromStdString(DrawingSafe(text.toStdString())); }

}  // namespace

QString CoordinateText(double value)
{
    // Xa's box: the rule a known point's X meets when it is picked.
    constexpr const RecordField& box = FieldNamed("Xa");
    SurveyRecord record;
    record.*box.member.real = value;
    return QString::fromStdString(BoxText(box, record)).trimmed();
}

QString SourceText(const QString& source)
{
    if (source == QLatin1String("entered")) return QStringLiteral("输入");
    if (source == QLatin1String("computed")) return QStringLiteral("计算");
    return Safe(source);
}

bool NameLess(const QString& a, const QString& b)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::China));
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int order = collator.compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

void KnownPointModel::SetPoints(std::vector<KnownPoint> points)
{
    beginResetModel();
    points_ = std::move(points);
    endResetModel();
}

int KnownPointModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(points_.size());
}

int KnownPointModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant KnownPointModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const KnownPoint& p = PointAt(index.row());
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column >= X && column <= H ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                          : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role == ValueRole) {
        switch (column) {
        case Name: return p.name;
        case X: return p.x;
        case Y: return p.y;
        case H: return p.h ? QVariant(*p.h) : QVariant();
        case Code: return p.code;
        case Source: return SourceText(p.source);
        }
        return {};
    }
    if (role != Qt::DisplayRole) return {};
    switch (column) {
    case Name: return Safe(p.name);
    case X: return CoordinateText(p.x);
    case Y: return CoordinateText(p.y);
    case H: return p.h ? CoordinateText(*p.h) : QString();
    case Code: return Safe(p.code);
    case Source: return SourceText(p.source);
    }
    return {};
}

QVariant KnownPointModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::InitialSortOrderRole) return Qt::AscendingOrder;
    if (role != Qt::DisplayRole) return {};
    static const char* const kTitles[] = {"点名", "X", "Y", "H", "编码", "来源"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kTitles[section]) : QVariant();
}

KnownPointSortModel::KnownPointSortModel(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(KnownPointModel::ValueRole);
}

void KnownPointSortModel::SetNameFilter(const QString& text)
{
    if (text == filter_) return;
    filter_ = text;
    invalidateRowsFilter();
}

bool KnownPointSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(KnownPointModel::ValueRole);
    const QVariant b = right.data(KnownPointModel::ValueRole);
    switch (left.column()) {
    case KnownPointModel::X:
    case KnownPointModel::Y:
    case KnownPointModel::H:
        // Going up, a point without H comes first.
        if (a.isNull() || b.isNull()) return a.isNull() && !b.isNull();
        return a.toDouble() < b.toDouble();
    default: return NameLess(a.toString(), b.toString());
    }
}

bool KnownPointSortModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (filter_.isEmpty()) return true;
    const QModelIndex name = sourceModel()->index(sourceRow, KnownPointModel::Name, sourceParent);
    return name.data(KnownPointModel::ValueRole).toString().contains(filter_, Qt::CaseInsensitive);
}

}  // namespace corvanet
