#pragma once
// The columns in which a calculation's inputs and results leave the program
// as a table: the batch output and the copy for a spreadsheet. Which fields
// are the input and result columns, and in which order, is the table of the
// record's fields (kInputColumns, kResultColumns).
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/outcome.h"
#include "engine/tolerance.h"
#include "text/record_fields.h"

namespace corvanet {

// The column's value as the calculation left it in `record`, when the
// calculation stored it: it completed (`failure` null), or it stopped at a
// step after the one that stores the column. Otherwise the record still holds
// an earlier figure's value there, and the column is empty. Inline, so that
// the batch, which names each column at compile time, reads the member
// directly.
inline std::optional<double> StoredResult(const RecordField& column, const SurveyRecord& record,
                                          const CalculationFailure* failure)
{
    if (failure && failure->step() <= *column.storedBy) return std::nullopt;
    return column.member.Number(record);
}

// The ellipse and the checks, after the batch output's other columns.
inline constexpr std::array<const char*, 6> kExtraColumns = {"Qxy", "E", "F", "phiE", "wAdjusted", "routeSpread"};

// The misclosure test, after the ellipse and the checks: m_w and the limit in
// seconds, and the verdict ("pass" or "exceeded"); all empty without a test.
inline constexpr std::array<const char*, 3> kToleranceColumns = {"mw", "limit", "verdict"};
std::array<std::string, kToleranceColumns.size()> ToleranceColumnTexts(const std::optional<MisclosureTest>& test);

// A number as the tables write it: the shortest text that reads back as the
// same double, with a point whatever the locale.
std::string TableNumber(double value);

// The figures of kExtraColumns, in their order; empty where not available.
std::array<std::optional<double>, kExtraColumns.size()> ExtraColumnValues(const CalculationExtras& extras);

// The texts of kExtraColumns; empty where a figure is not available or the
// calculation stopped before them.
std::array<std::string, kExtraColumns.size()> ExtraColumnTexts(const std::optional<CalculationExtras>& extras);

// Header and one row, separated by tabs and ended by newlines: the inputs as
// the batch input names them, then status, results, step, message, the
// ellipse and checks and the misclosure test as the batch output has them.
// `note` (if any) goes before the message. Text that a spreadsheet would take
// for a formula is quoted with an apostrophe.
std::string TabSeparatedResults(const CalculationOutcome& outcome, const std::optional<MisclosureTest>& test,
                                std::string_view note);

}  // namespace corvanet
