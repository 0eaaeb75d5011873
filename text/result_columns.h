#pragma once
// The columns in which a calculation's inputs and results leave the program
// as a table: the batch output and the copy for a spreadsheet.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/outcome.h"

namespace corvanet {

// The result columns, between the status and the failure's step: the header,
// the step that stores the value, and where the record keeps it. The batch
// output and the copy for a spreadsheet both read this table.
struct ResultColumn {
    const char* header;
    Step storedBy;
    double (*value)(const SurveyRecord& r);
};

inline constexpr ResultColumn kResultColumns[] = {
    {"w", Step::Misclosure, [](const SurveyRecord& r) { return double(r.w); }},
    {"k", Step::Correlate, [](const SurveyRecord& r) { return r.k; }},
    {"ms", Step::MeanSquareError, [](const SurveyRecord& r) { return double(r.ms); }},
    {"s1", Step::AdjustedDistances, [](const SurveyRecord& r) { return r.S1; }},
    {"s2", Step::AdjustedDistances, [](const SurveyRecord& r) { return r.S2; }},
    {"s3", Step::AdjustedDistances, [](const SurveyRecord& r) { return r.S3; }},
    {"xp1", Step::CoordinateXp1, [](const SurveyRecord& r) { return r.xp1; }},
    {"yp1", Step::CoordinateYp1, [](const SurveyRecord& r) { return r.yp1; }},
    {"xp2", Step::CoordinateXp2, [](const SurveyRecord& r) { return r.xp2; }},
    {"yp2", Step::CoordinateYp2, [](const SurveyRecord& r) { return r.yp2; }},
    {"xp3", Step::CoordinateXp3, [](const SurveyRecord& r) { return r.xp3; }},
    {"yp3", Step::CoordinateYp3, [](const SurveyRecord& r) { return r.yp3; }},
    {"px", Step::WeightReciprocals, [](const SurveyRecord& r) { return r.px; }},
    {"py", Step::WeightReciprocals, [](const SurveyRecord& r) { return r.py; }},
    {"mx", Step::ErrorMx, [](const SurveyRecord& r) { return double(r.mx); }},
    {"my", Step::ErrorMy, [](const SurveyRecord& r) { return double(r.my); }},
    {"md", Step::ErrorMd, [](const SurveyRecord& r) { return double(r.md); }},
    {"m", Step::RelativeError, [](const SurveyRecord& r) { return double(r.m); }},
};

// The column's value as the calculation left it in `record`, when the
// calculation stored it: it completed (`failure` null), or it stopped at a
// step after the one that stores the column. Otherwise the record still holds
// an earlier figure's value there, and the column is empty.
std::optional<double> StoredResult(const ResultColumn& column, const SurveyRecord& record,
                                   const CalculationFailure* failure);

// The ellipse and the checks, after the batch output's other columns.
inline constexpr std::array<const char*, 6> kExtraColumns = {"Qxy", "E", "F", "phiE", "wAdjusted", "routeSpread"};

// A number as the tables write it: the shortest text that reads back as the
// same double, with a point whatever the locale.
std::string TableNumber(double value);

// The figures of kExtraColumns, in their order; empty where not available.
std::array<std::optional<double>, kExtraColumns.size()> ExtraColumnValues(const CalculationExtras& extras);

// The texts of kExtraColumns; empty where a figure is not available or the
// calculation stopped before them.
std::array<std::string, kExtraColumns.size()> ExtraColumnTexts(const std::optional<CalculationExtras>& extras);

// Header and one row, separated by tabs and ended by newlines: the inputs as
// the batch input names them, then status, results, step and message as the
// batch output has them. `note` (if any) goes before the message. Text that a
// spreadsheet would take for a formula is quoted with an apostrophe.
std::string TabSeparatedResults(const CalculationOutcome& outcome, std::string_view note);

}  // namespace corvanet
