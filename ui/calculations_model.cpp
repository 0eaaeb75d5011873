#include "ui/calculations_model.h"

#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "engine/failure.h"
#include "store/job_schema.h"
#include "text/escaped_text.h"
#include "text/record_fields.h"
#include "text/tolerance_text.h"

namespace corvanet {
namespace {

// The columns of the query, in its SELECT's order: the shown ones first.
enum Raw { RawTime, RawName, RawXp, RawYp, RawMd, RawM, RawW, RawLimit, RawVerdict, RawOutcome, RawStep, RawMessage, RawId };

// Every name that starts with the prefix sorts below the prefix followed by
// the last code point, so the range reads only the index's matching stretch.
constexpr char32_t kLastCodePoint = 0x10FFFF;

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// A figure as the window's box shows it, without the unit (the header has
// it): the box's rule, applied to the value the job kept.
QString FigureText(const RecordField& field, const QVariant& value)
{
    if (value.isNull()) return {};
    SurveyRecord record;
    // A single was kept widened exactly, so narrowing it gives it back.
    if (field.member.real) record.*field.member.real = value.toDouble();
    else record.*field.member.single = static_cast<float>(value.toDouble());
    std::string text = BoxText(field, record);
    const std::string_view unit = field.unit;
    if (!unit.empty() && text.ends_with(unit)) text.erase(text.size() - unit.size());
    return FromUtf8(text);
}

// The step a failure_step identifier names, if this program knows it.
const char* StepTextOf(const QString& id)
{
    for (std::size_t i = 0; i < kStepCount; ++i) {
        const Step step = static_cast<Step>(i);
        if (id == QLatin1String(StepId(step))) return StepText(step);
    }
    return nullptr;
}

bool IsFigure(int column)
{
    return column >= CalculationsModel::Xp && column <= CalculationsModel::Limit;
}

}  // namespace

CalculationsModel::CalculationsModel(QString connection, QObject* parent)
    : QSqlQueryModel(parent), connection_(std::move(connection))
{
}

QString CalculationsModel::Sql() const
{
    const char* dir = sortOrder_ == Qt::AscendingOrder ? " ASC" : " DESC";
    QStringList keys;
    switch (sortColumn_) {
    // Calculations are appended as they are made, so the ids are in the order
    // of their times (unless the clock was set back) and need no sort.
    case Time: break;
    case PointName: keys << QStringLiteral("point_name"); break;
    case Xp: keys << ReportedXpSql(); break;
    case Yp: keys << ReportedYpSql(); break;
    case Md: keys << QStringLiteral("md"); break;
    case M: keys << QStringLiteral("m"); break;
    case W: keys << QStringLiteral("w"); break;
    case Limit: keys << QStringLiteral("limit_w"); break;
    case Verdict: keys << QStringLiteral("verdict"); break;
    case Result: keys << QStringLiteral("outcome") << QStringLiteral("failure_step"); break;
    default: break;
    }
    keys << QStringLiteral("id");
    for (QString& key : keys) key += QLatin1String(dir);

    QString sql = QStringLiteral("SELECT calculated_at, point_name, %1, %2, md, m, w, limit_w, verdict, outcome, "
                                 "failure_step, message, id FROM calculations")
                      .arg(ReportedXpSql(), ReportedYpSql());
    // In the order of the names, the index's stretch is read in that order
    // and the first rows come at once. In any other order the ids of the
    // stretch are gathered first from the index alone, and the rows read by
    // id: in the order of the ids that needs no sort, and in any other it
    // sorts only the rows that match.
    if (!prefix_.isEmpty())
        sql += sortColumn_ == PointName
                   ? QStringLiteral(" WHERE point_name >= ? AND point_name < ?")
                   : QStringLiteral(" WHERE id IN (SELECT id FROM calculations WHERE point_name >= ? AND point_name < ?)");
    return sql + QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
}

QVariantList CalculationsModel::BoundValues() const
{
    if (prefix_.isEmpty()) return {};
    return {prefix_, prefix_ + QString::fromUcs4(&kLastCodePoint, 1)};
}

bool CalculationsModel::Requery()
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    bool ok = query.prepare(Sql());
    const QVariantList values = BoundValues();
    for (int i = 0; ok && i < values.size(); ++i) query.bindValue(i, values[i]);
    ok = ok && query.exec();
    // A failed query still replaces the rows, so that nothing stale stays
    // on show; its error is the model's lastError.
    setQuery(std::move(query));
    return ok && !lastError().isValid();
}

qint64 CalculationsModel::IdAt(int row) const { return Raw(row, RawId).toLongLong(); }

int CalculationsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant CalculationsModel::Raw(int row, int column) const
{
    // The query has more columns than the view: read them by their place
    // in the query, past the columns this model shows.
    return QSqlQueryModel::data(createIndex(row, column), Qt::DisplayRole);
}

QString CalculationsModel::CellText(int row, int column) const
{
    static constexpr const RecordField* kFigureFields[] = {
        &FieldNamed("xp1"), &FieldNamed("yp1"), &FieldNamed("md"), &FieldNamed("m"), &FieldNamed("w"),
    };
    switch (column) {
    case Time: {
        const QString kept = Raw(row, RawTime).toString();
        const QDateTime time = QDateTime::fromString(kept, Qt::ISODate);
        return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : kept;
    }
    case PointName: {
        const QVariant name = Raw(row, RawName);
        return name.isNull() ? QString() : FromUtf8(DrawingSafe(name.toString().toStdString()));
    }
    case Xp: return FigureText(*kFigureFields[0], Raw(row, RawXp));
    case Yp: return FigureText(*kFigureFields[1], Raw(row, RawYp));
    case Md: return FigureText(*kFigureFields[2], Raw(row, RawMd));
    case M: return FigureText(*kFigureFields[3], Raw(row, RawM));
    case W: return FigureText(*kFigureFields[4], Raw(row, RawW));
    case Limit: {
        const QVariant limit = Raw(row, RawLimit);
        if (limit.isNull()) return {};
        // The limit as the w box's tooltip writes it, the unit in the header.
        QString text = FromUtf8(LimitText(limit.toDouble()));
        if (text.endsWith(u'秒')) text.chop(1);
        return text;
    }
    case Verdict: {
        const QString verdict = Raw(row, RawVerdict).toString();
        if (verdict == QLatin1String("pass")) return FromUtf8(VerdictText(false));
        if (verdict == QLatin1String("exceeded")) return FromUtf8(VerdictText(true));
        return {};
    }
    case Result: {
        const QString outcome = Raw(row, RawOutcome).toString();
        if (outcome == QLatin1String("complete")) return QStringLiteral("完成");
        if (outcome != QLatin1String("stopped")) return {};
        // A step a newer program added is not in this one's list: its
        // message says where it stopped instead.
        const char* step = StepTextOf(Raw(row, RawStep).toString());
        return QStringLiteral("停止：") + (step ? QString::fromUtf8(step) : Raw(row, RawMessage).toString());
    }
    default: return {};
    }
}

QVariant CalculationsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= ColumnCount) return {};
    const int row = index.row(), column = index.column();
    switch (role) {
    case Qt::DisplayRole: return CellText(row, column);
    case Qt::TextAlignmentRole:
        if (IsFigure(column)) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (column == Verdict) return QVariant(Qt::AlignCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        // Red as the window's w box is when the limit is exceeded.
        if (column == Verdict && Raw(row, RawVerdict).toString() == QLatin1String("exceeded"))
            return QBrush(QColor(Qt::red));
        return {};
    case Qt::ToolTipRole:
        if (column == Result) {
            const QVariant message = Raw(row, RawMessage);
            if (!message.isNull()) return message.toString();
        }
        return {};
    default: return {};
    }
}

QVariant CalculationsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) return QSqlQueryModel::headerData(section, orientation, role);
    if (section < 0 || section >= ColumnCount) return {};
    static const char* const kHeaders[] = {"时间", "点名", "Xp", "Yp", "md（毫米）", "1/m", "w（秒）", "限差（秒）", "检验", "结果"};
    if (role == Qt::DisplayRole) return QString::fromUtf8(kHeaders[section]);
    if (role == Qt::TextAlignmentRole)
        return QVariant((IsFigure(section) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

void CalculationsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount) return;
    sortColumn_ = column;
    sortOrder_ = order;
    Requery();
}

}  // namespace corvanet
