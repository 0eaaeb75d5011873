#pragma once
// The columns in which a calculation's inputs and results leave the program
// as a table: the batch output and the copy for a spreadsheet.
#include <array>
#include <string>
#include <string_view>

#include "engine/outcome.h"

namespace corvanet {

// The ellipse and the checks, after the batch output's other columns.
inline constexpr std::array<const char*, 6> kExtraColumns = {"Qxy", "E", "F", "phiE", "wAdjusted", "routeSpread"};

// A number as the tables write it: the shortest text that reads back as the
// same double, with a point whatever the locale.
std::string TableNumber(double value);

// The texts of kExtraColumns; empty where a figure is not available or the
// calculation stopped before them.
std::array<std::string, kExtraColumns.size()> ExtraColumnTexts(const std::optional<CalculationExtras>& extras);

// Header and one row, separated by tabs and ended by newlines: the inputs as
// the batch input names them, then status, results, step and message as the
// batch output has them. `note` (if any) goes before the message. Text that a
// spreadsheet would take for a formula is quoted with an apostrophe.
std::string TabSeparatedResults(const CalculationOutcome& outcome, std::string_view note);

}  // namespace corvanet
