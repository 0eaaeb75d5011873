#include "text/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace corvanet {
namespace {

struct Decimal {
    bool negative = false;
    std::string digits;  // significant digits, first one non-zero unless the value is 0
    int exponent = 0;    // value = d.ddd × 10^exponent
};

// The nearest decimal of `significant` digits to `value` (finite).
Decimal ToDecimal(double value, int significant)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, significant - 1);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    Decimal d;
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t e = text.find('e');
    for (; i < e; ++i)
        if (text[i] != '.') d.digits.push_back(text[i]);
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return d;
}

int PatternDecimals(std::string_view pattern)
{
    const std::size_t point = pattern.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
}

std::string NonFiniteText(double value)
{
    if (std::isnan(value)) return "非数值";
    return value < 0 ? "-溢出" : "溢出";
}

std::string FormatDecimal(double value, int significant, std::string_view pattern)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    const int decimals = PatternDecimals(pattern);
    const Decimal d = ToDecimal(value, significant);

    // Lay the digits out around the point: whole part, then the fraction.
    const int wholeDigits = d.exponent + 1;
    std::string whole;
    std::string fraction;
    if (wholeDigits <= 0) {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-wholeDigits), '0') + d.digits;
    } else if (static_cast<std::size_t>(wholeDigits) >= d.digits.size()) {
        whole = d.digits + std::string(static_cast<std::size_t>(wholeDigits) - d.digits.size(), '0');
    } else {
        whole = d.digits.substr(0, static_cast<std::size_t>(wholeDigits));
        fraction = d.digits.substr(static_cast<std::size_t>(wholeDigits));
    }

    const bool roundUp = fraction.size() > static_cast<std::size_t>(decimals) &&
                         fraction[static_cast<std::size_t>(decimals)] >= '5';
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    if (roundUp) {
        std::string all = whole + fraction;
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0 && all[static_cast<std::size_t>(i)] == '9') all[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++all[static_cast<std::size_t>(i)];
        else
            all.insert(all.begin(), '1');
        whole = all.substr(0, all.size() - fraction.size());
        fraction = all.substr(all.size() - fraction.size());
    }

    const bool allZero = (whole + fraction).find_first_not_of('0') == std::string::npos;
    std::string out = (d.negative && !allZero) ? "-" : "";
    out += whole;
    if (decimals > 0) out += "." + fraction;
    return out;
}

double PowerOfTen(int n)
{
    double p = 1.0;  // exact up to 1e22
    for (int i = 0; i < n; ++i) p *= 10.0;
    return p;
}

}  // namespace

std::string FormatPattern(double value, std::string_view pattern) { return FormatDecimal(value, 15, pattern); }

std::string FormatPattern(float value, std::string_view pattern)
{
    return FormatDecimal(static_cast<double>(value), 7, pattern);
}

std::string FormatRounded(double value, std::string_view pattern)
{
    return FormatPattern(RoundHalfEven(value, PatternDecimals(pattern)), pattern);
}

std::string FormatRounded(float value, std::string_view pattern)
{
    return FormatPattern(RoundHalfEven(value, PatternDecimals(pattern)), pattern);
}

double RoundHalfEven(double value, int decimals)
{
    const double scale = PowerOfTen(decimals);
    const double product = value * scale;
    // A value too large to scale has no fraction left to round.
    if (!std::isfinite(product)) return value;
    return std::nearbyint(product) / scale;  // the default rounding mode: ties to even
}

float RoundHalfEven(float value, int decimals)
{
    return static_cast<float>(RoundHalfEven(static_cast<double>(value), decimals));
}

std::string SingleText(float value)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0.0f) return "0";
    const Decimal d = ToDecimal(static_cast<double>(value), 7);
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = d.negative ? "-" : "";
    if (d.exponent >= 7 || d.exponent < -7) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        const int e = std::abs(d.exponent);
        out += d.exponent < 0 ? "E-" : "E+";
        if (e < 10) out += "0";
        out += std::to_string(e);
    } else if (d.exponent >= 0) {
        const std::size_t whole = static_cast<std::size_t>(d.exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    } else {
        out += "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + digits;
    }
    return out;
}

std::string PrintNumberText(float value)
{
    return (value < 0.0f ? "" : " ") + SingleText(value) + " ";
}

}  // namespace corvanet
