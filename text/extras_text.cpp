#include "text/extras_text.h"

#include <algorithm>
#include <cmath>
#include <charconv>

namespace corvanet {
namespace {

// A point whatever the locale.
std::string Fixed(double value, int decimals)
{
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, res.ptr);
}

}  // namespace

std::string SmallNumberText(double value)
{
    const double a = std::abs(value);
    const int decimals = a == 0.0 ? 2 : std::clamp(2 - static_cast<int>(std::floor(std::log10(a))), 2, 12);
    return Fixed(value, decimals);
}

std::array<ExtraText, 6> ExtrasTexts(const std::optional<CalculationExtras>& extras)
{
    const ErrorEllipse e = extras ? extras->ellipse : ErrorEllipse{};
    const AdjustmentChecks c = extras ? extras->checks : AdjustmentChecks{};
    const auto text = [](const std::optional<double>& v, auto&& write) { return v ? write(*v) : kNotAvailable; };
    const auto mm = [](double v) { return Fixed(v, 2) + "毫米"; };
    return {{
        {"协因数 Qxy", text(e.Qxy, [](double v) { return Fixed(v, 6); })},
        {"长半轴 E", text(e.E, mm)},
        {"短半轴 F", text(e.F, mm)},
        {"长半轴方位角 φE", text(e.phiE, [](double v) { return Fixed(v, 3) + "°"; })},
        {"平差后闭合差 w′", text(c.wAdjusted, [](double v) { return SmallNumberText(v) + "秒"; })},
        {"三点推算较差", text(c.routeSpread, [](double v) { return SmallNumberText(v) + "毫米"; })},
    }};
}

}  // namespace corvanet
