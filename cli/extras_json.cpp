#include "cli/extras_json.h"

namespace corvanet {
namespace {

nlohmann::ordered_json Number(const std::optional<double>& v) { return v ? nlohmann::ordered_json(*v) : nullptr; }

}  // namespace

nlohmann::ordered_json EllipseJson(const std::optional<CalculationExtras>& extras)
{
    if (!extras) return nullptr;
    const ErrorEllipse& e = extras->ellipse;
    return {{"Qxy", Number(e.Qxy)}, {"E", Number(e.E)}, {"F", Number(e.F)}, {"phiE", Number(e.phiE)}};
}

nlohmann::ordered_json ChecksJson(const std::optional<CalculationExtras>& extras)
{
    if (!extras) return nullptr;
    return {{"wAdjusted", Number(extras->checks.wAdjusted)}, {"routeSpread", Number(extras->checks.routeSpread)}};
}

nlohmann::ordered_json ToleranceJson(const std::optional<MisclosureTest>& test)
{
    if (!test) return nullptr;
    return {{"a", test->meter.a},   {"b", test->meter.b},         {"sigma", test->sigma},
            {"mw", test->mw},       {"limit", test->limit},       {"exceeded", test->exceeded}};
}

}  // namespace corvanet
