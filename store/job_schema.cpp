#include "store/job_schema.h"

#include "engine/failure.h"
#include "text/entry_inputs.h"
#include "text/record_fields.h"
#include "text/result_columns.h"
#include "text/version.h"

namespace corvanet {
namespace {

// A field of the record kept in a column: as typed (an input) or as the
// calculation stored it (a result). S1 to S3 are both: typed, then adjusted.
struct FieldColumn {
    const char* column;
    const RecordField* field;
    bool input;
};

consteval FieldColumn In(const char* column, std::string_view field) { return {column, &FieldNamed(field), true}; }
consteval FieldColumn Out(const char* column, std::string_view field) { return {column, &FieldNamed(field), false}; }

constexpr FieldColumn kFieldColumns[] = {
    In("point_name", "PointName"),
    In("xa", "Xa"), In("ya", "Ya"), In("xb", "Xb"), In("yb", "Yb"), In("xc", "Xc"), In("yc", "Yc"),
    In("s1_measured", "S1"), In("s2_measured", "S2"), In("s3_measured", "S3"),
    Out("w", "w"), Out("k", "k"), Out("ms", "ms"),
    Out("s1_adjusted", "S1"), Out("s2_adjusted", "S2"), Out("s3_adjusted", "S3"),
    Out("xp1", "xp1"), Out("yp1", "yp1"), Out("xp2", "xp2"), Out("yp2", "yp2"), Out("xp3", "xp3"), Out("yp3", "yp3"),
    Out("px", "px"), Out("py", "py"), Out("mx", "mx"), Out("my", "my"), Out("md", "md"), Out("m", "m"),
};

// Every field the user enters and every result the tables show has its
// column: a new one in the table of fields does not compile until it has.
consteval bool EveryFieldKept()
{
    for (const RecordField& f : kRecordFields) {
        bool input = !f.inputColumn, result = !f.resultColumn;
        for (const FieldColumn& c : kFieldColumns) {
            if (c.field == &f && c.input) input = true;
            if (c.field == &f && !c.input) result = true;
        }
        if (!input || !result) return false;
    }
    return true;
}
static_assert(EveryFieldKept(), "a field of the record has no column in the job");

// The ellipse and the checks, in the order of kExtraColumns.
constexpr const char* kExtraJobColumns[] = {"qxy", "e", "f", "phi_e", "w_adjusted", "route_spread"};
static_assert(std::size(kExtraJobColumns) == kExtraColumns.size());

QVariant Real(double value) { return QVariant(value); }
QVariant Real(const std::optional<double>& value) { return value ? QVariant(*value) : QVariant(); }
QVariant Text(const std::string& text) { return QString::fromStdString(text); }
QVariant Null() { return QVariant(); }

// An input the entry did not reach: it stopped at an earlier distance that
// has no single-precision copy, and the record still holds an earlier
// figure's value there.
bool InputReached(const RecordField& field, const CalculationFailure* failure)
{
    if (!failure) return true;
    const auto inputs = EntryInputs();
    int stoppedAt = -1, at = -1;
    for (int i = 0; i < static_cast<int>(inputs.size()); ++i) {
        if (inputs[i].field == &field) at = i;
        if (inputs[i].observed && *inputs[i].observed->storedBy == failure->step()) stoppedAt = i;
    }
    return stoppedAt < 0 || at <= stoppedAt;
}

QVariant FieldValue(const FieldColumn& c, const CalculationOutcome& o)
{
    const CalculationFailure* failure = o.failure ? &*o.failure : nullptr;
    if (c.input) {
        if (!InputReached(*c.field, failure)) return Null();
        if (c.field->member.text) return Text(o.entered.*c.field->member.text);
        return Real(c.field->member.Number(o.entered));
    }
    return Real(StoredResult(*c.field, o.record, failure));
}

// Hands every column of `calculations` after `id` to `column(name, type,
// value)`, in their order: the one place that order is written.
template <class Visit>
void EachColumn(const CalculationEntry* e, Visit&& visit)
{
    const auto value = [e](auto get) { return e ? get(*e) : QVariant(); };
    int since = 1;
    const auto column = [&](const char* name, ColumnType type, QVariant v) { visit(name, type, since, std::move(v)); };
    column("calculated_at", ColumnType::Text, value([](const CalculationEntry& x) { return QVariant(JobTime(x.calculatedAt)); }));
    column("outcome", ColumnType::Text, value([](const CalculationEntry& x) {
               return QVariant(x.outcome.failure ? QStringLiteral("stopped") : QStringLiteral("complete"));
           }));
    column("failure_step", ColumnType::Text, value([](const CalculationEntry& x) {
               return x.outcome.failure ? QVariant(QString::fromLatin1(StepId(x.outcome.failure->step()))) : Null();
           }));
    column("message", ColumnType::Text, value([](const CalculationEntry& x) {
               return x.outcome.failure ? Text(x.outcome.failure->message()) : Null();
           }));
    for (const FieldColumn& c : kFieldColumns)
        column(c.column, c.field->member.text ? ColumnType::Text : ColumnType::Real,
               value([&c](const CalculationEntry& x) { return FieldValue(c, x.outcome); }));
    for (std::size_t i = 0; i < std::size(kExtraJobColumns); ++i)
        column(kExtraJobColumns[i], ColumnType::Real, value([i](const CalculationEntry& x) {
                   return x.outcome.extras ? Real(ExtraColumnValues(*x.outcome.extras)[i]) : Null();
               }));
    column("a_mm", ColumnType::Real, value([](const CalculationEntry& x) { return Real(x.meter.a); }));
    column("b_ppm", ColumnType::Real, value([](const CalculationEntry& x) { return Real(x.meter.b); }));
    column("mw", ColumnType::Real, value([](const CalculationEntry& x) { return x.test ? Real(x.test->mw) : Null(); }));
    column("limit_w", ColumnType::Real,
           value([](const CalculationEntry& x) { return x.test ? Real(x.test->limit) : Null(); }));
    column("verdict", ColumnType::Text, value([](const CalculationEntry& x) {
               return x.test ? QVariant(x.test->exceeded ? QStringLiteral("exceeded") : QStringLiteral("pass")) : Null();
           }));
    column("program_version", ColumnType::Text,
           value([](const CalculationEntry&) { return QVariant(QStringLiteral(CORVANET_VERSION)); }));
    since = 2;
    static constexpr const char* kKnownPointColumns[] = {"a_name", "b_name", "c_name"};
    for (std::size_t i = 0; i < 3; ++i)
        column(kKnownPointColumns[i], ColumnType::Text, value([i](const CalculationEntry& x) {
                   return x.outcome.knownPoints[i].empty() ? Null() : Text(x.outcome.knownPoints[i]);
               }));
}

std::vector<JobColumn> MakeColumns()
{
    std::vector<JobColumn> columns;
    EachColumn(nullptr, [&](const char* name, ColumnType type, int since, const QVariant&) {
        columns.push_back({name, type, since});
    });
    return columns;
}

}  // namespace

std::span<const JobColumn> CalculationColumns()
{
    static const std::vector<JobColumn> columns = MakeColumns();
    return columns;
}

std::vector<QVariant> CalculationRow(const CalculationEntry& entry)
{
    std::vector<QVariant> row;
    row.reserve(CalculationColumns().size());
    EachColumn(&entry, [&](const char*, ColumnType, int, QVariant value) { row.push_back(std::move(value)); });
    return row;
}

namespace {
QString ReportedSql(const char* a, const char* b, const char* c)
{
    // The engine's ChooseRoute, word for word: A on a tie with A, B before C.
    return QStringLiteral("(CASE WHEN s1_adjusted >= s2_adjusted AND s1_adjusted >= s3_adjusted THEN %1 "
                          "WHEN s2_adjusted >= s3_adjusted THEN %2 ELSE %3 END)")
        .arg(QLatin1String(a), QLatin1String(b), QLatin1String(c));
}
}  // namespace

QString ReportedXpSql() { return ReportedSql("xp1", "xp2", "xp3"); }
QString ReportedYpSql() { return ReportedSql("yp1", "yp2", "yp3"); }

QString JobTime(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODate);
}

QVariant ColumnValue(const std::vector<QVariant>& row, std::string_view column)
{
    const auto columns = CalculationColumns();
    for (std::size_t i = 0; i < columns.size() && i < row.size(); ++i)
        if (column == columns[i].name) return row[i];
    return QVariant();
}

RowInputs InputsOfRow(const std::vector<QVariant>& row)
{
    RowInputs inputs;
    bool reached = true;
    for (const FieldColumn& c : kFieldColumns) {
        if (!c.input) continue;
        const QVariant value = ColumnValue(row, c.column);
        if (c.field->member.text) {
            inputs.nameEntered = !value.isNull();
            inputs.record.*c.field->member.text = value.toString().toStdString();
            continue;
        }
        // The numbers stop where the entry stopped.
        reached = reached && !value.isNull();
        if (!reached) continue;
        inputs.record.*c.field->member.real = value.toDouble();
        ++inputs.numbersEntered;
    }
    return inputs;
}

namespace {
QString Declared(const JobColumn& c)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(c.name),
                                       c.type == ColumnType::Real ? QStringLiteral("REAL") : QStringLiteral("TEXT"));
}
}  // namespace

std::vector<std::pair<QString, QStringList>> SchemaTables(int version)
{
    std::vector<std::pair<QString, QStringList>> tables;
    QStringList calculations{QStringLiteral("id")};
    for (const JobColumn& c : CalculationColumns())
        if (c.since <= version) calculations << QLatin1String(c.name);
    tables.emplace_back(QStringLiteral("calculations"), calculations);
    if (version >= 2)
        tables.emplace_back(QStringLiteral("known_points"),
                            QStringList{QStringLiteral("name"), QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("h"),
                                        QStringLiteral("code"), QStringLiteral("source"), QStringLiteral("added_at")});
    return tables;
}

QStringList SchemaUpgrade(int fromVersion)
{
    QStringList statements;
    if (fromVersion < 1) {
        QStringList columns{QStringLiteral("id INTEGER PRIMARY KEY")};
        for (const JobColumn& c : CalculationColumns())
            if (c.since == 1) columns << Declared(c);
        statements << QStringLiteral("CREATE TABLE calculations (%1)").arg(columns.join(QStringLiteral(", ")))
                   // The 计算记录 window filters by the start of the name.
                   << QStringLiteral("CREATE INDEX calculations_point_name ON calculations (point_name)");
    }
    if (fromVersion < 2) {
        // The known points, picked by name at the prompts.
        for (const JobColumn& c : CalculationColumns())
            if (c.since == 2) statements << QStringLiteral("ALTER TABLE calculations ADD COLUMN %1").arg(Declared(c));
        statements << QStringLiteral("CREATE TABLE known_points (name TEXT PRIMARY KEY, x REAL NOT NULL, y REAL NOT NULL, "
                                     "h REAL, code TEXT, source TEXT NOT NULL, added_at TEXT NOT NULL)");
    }
    return statements;
}

}  // namespace corvanet
