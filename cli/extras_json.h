#pragma once
// The error ellipse and the adjustment checks in the tool's JSON: numbers, or
// null where a figure is not available; each object null when the
// calculation stopped before them.
#include <optional>

#include <nlohmann/json.hpp>

#include "engine/outcome.h"
#include "engine/tolerance.h"

namespace corvanet {

nlohmann::ordered_json EllipseJson(const std::optional<CalculationExtras>& extras);  // Qxy, E, F, phiE
nlohmann::ordered_json ChecksJson(const std::optional<CalculationExtras>& extras);   // wAdjusted, routeSpread
// a, b, sigma, mw, limit, exceeded; null where there is no test
nlohmann::ordered_json ToleranceJson(const std::optional<MisclosureTest>& test);

}  // namespace corvanet
