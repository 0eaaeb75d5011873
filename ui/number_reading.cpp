#include "number_reading.h"

#include <cctype>
#include <charconv>
#include <system_error>

namespace corvanet {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<double> ReadNumber(std::string_view line)
{
    std::string_view s = Trim(line);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }

    // Check the whole grammar first, so from_chars never sees anything else
    // (it would take "inf", "nan" and stop early at a comma).
    std::size_t i = 0;
    int leadingPlaces = 0;   // decimal order of the first non-zero digit
    bool seenNonZero = false;
    std::size_t wholeDigits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++wholeDigits)
        if (!seenNonZero && s[i] != '0') seenNonZero = true;
    std::size_t nonZeroWhole = 0;  // whole digits from the first non-zero one
    for (std::size_t j = 0; j < wholeDigits; ++j)
        if (s[j] != '0') {
            nonZeroWhole = wholeDigits - j;
            break;
        }
    std::size_t fractionDigits = 0;
    int fractionZeros = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        bool counting = !seenNonZero;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++fractionDigits) {
            if (counting && s[i] == '0') ++fractionZeros;
            else if (s[i] != '0') { counting = false; seenNonZero = true; }
        }
    }
    if (wholeDigits + fractionDigits == 0) return std::nullopt;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            expNegative = s[i] == '-';
            ++i;
        }
        const std::size_t start = i;
        for (; i < s.size() && IsDigit(s[i]); ++i)
            if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
        if (i == start) return std::nullopt;
        if (expNegative) exponent = -exponent;
    }
    if (i != s.size()) return std::nullopt;

    double value = 0.0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        if (!seenNonZero) {
            value = 0.0;
        } else {
            leadingPlaces = nonZeroWhole > 0 ? static_cast<int>(nonZeroWhole) - 1 : -(fractionZeros + 1);
            if (leadingPlaces + exponent >= 0) return std::nullopt;  // beyond the double range
            value = 0.0;                                            // below it: underflows to zero
        }
    } else if (res.ec != std::errc() || res.ptr != s.data() + s.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace corvanet
