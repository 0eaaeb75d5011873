#pragma once
// The job file's schema, in one place: the tables a job holds, the version
// they make, and how a calculation becomes a row of `calculations`. Anyone
// may read a job with any SQLite tool; the README describes these columns.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "engine/outcome.h"
#include "engine/tolerance.h"

namespace corvanet {

// Marks an SQLite file as a job ("CVJB"): another program's database, even
// with tables of the same names, is not a job.
inline constexpr int kJobApplicationId = 0x43564A42;
// PRAGMA user_version of the jobs this program writes; a newer job is refused.
inline constexpr int kJobSchemaVersion = 2;

// One calculation as a job keeps it.
struct CalculationEntry {
    QDateTime calculatedAt;  // kept in UTC, to the second
    const CalculationOutcome& outcome;
    MeterPrecision meter;  // the meter in force: the test, if any, is against it
    std::optional<MisclosureTest> test;
};

enum class ColumnType { Real, Text };

struct JobColumn {
    const char* name;
    ColumnType type;
    int since;  // the schema version that added it
};

// The columns of `calculations` after its `id`, in their order.
std::span<const JobColumn> CalculationColumns();
// The values of those columns for `entry`, in the same order. A figure is the
// double the record holds (a single widened exactly), so that what is read
// back is bit for bit what was shown; NULL where the calculation did not get.
std::vector<QVariant> CalculationRow(const CalculationEntry& entry);

// The value of `column` in a row of those columns; NULL for a name that is
// not one of them.
QVariant ColumnValue(const std::vector<QVariant>& row, std::string_view column);

// The inputs a row keeps: the point's name, and the numbers in the entry's
// order as far as the entry got (a stopped entry leaves the rest NULL).
struct RowInputs {
    SurveyRecord record;  // the inputs; fields the entry did not reach hold zero
    int numbersEntered = 0;
    bool nameEntered = false;
};
RowInputs InputsOfRow(const std::vector<QVariant>& row);

// The statements that make a job of kJobSchemaVersion from one of
// `fromVersion` (0: a new, empty file). Run in one transaction.
QStringList SchemaUpgrade(int fromVersion);

// The tables a job of `version` has, each with the columns it must have: a
// job that lacks one is not a job of this program's making.
std::vector<std::pair<QString, QStringList>> SchemaTables(int version);

// P of a row as the precision assessment took it: from the known point
// with the longest adjusted distance, as ChooseRoute picks it. SQL
// expressions over the row's columns, for the record window and the export;
// NULL where the calculation did not reach P.
QString ReportedXpSql();
QString ReportedYpSql();

// The time as `calculated_at` keeps it: ISO 8601, UTC, seconds.
QString JobTime(const QDateTime& time);

}  // namespace corvanet
