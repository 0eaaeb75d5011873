#pragma once
// Checks of the adjustment: the misclosure that the adjusted distances leave
// (what the one linearised pass does not remove), and how far apart the three
// computed points P lie.
#include <optional>

#include "engine/calculation.h"

namespace corvanet {

struct AdjustmentChecks {
    std::optional<double> wAdjusted;    // seconds of arc
    std::optional<double> routeSpread;  // mm, the largest distance between two of the three P
};

// From a complete calculation: `record` as it left it, `values` as it returned
// them. Never throws.
AdjustmentChecks AdjustmentChecksOf(const SurveyRecord& record, const CalculationValues& values);

}  // namespace corvanet
