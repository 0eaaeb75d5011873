#pragma once
// The error ellipse and the adjustment checks as the user reads them, in the
// sketch's table and the command-line summary.
#include <array>
#include <optional>
#include <string>

#include "engine/outcome.h"

namespace corvanet {

struct ExtraText {
    const char* label;  // e.g. "长半轴 E"
    std::string value;  // e.g. "3.40毫米", or kNotAvailable
};

inline constexpr const char* kNotAvailable = "无法算出";

// Qxy, E, F, φE, w′ and the route spread, in this order. All not available
// when the calculation stopped before them.
std::array<ExtraText, 6> ExtrasTexts(const std::optional<CalculationExtras>& extras);

// About three significant digits and no exponent, for figures that may be
// tiny (what the adjustment leaves): 0.0000123, 2.76, 0.00.
std::string SmallNumberText(double value);

}  // namespace corvanet
