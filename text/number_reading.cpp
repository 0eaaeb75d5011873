#include "text/number_reading.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace corvanet {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr long long kExponentCap = 1'000'000'000'000'000LL;

// The powers of ten a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The power of ten of the first non-zero digit of a mantissa ("0012.5" → 1,
// "0.003" → −3); nullopt when every digit is zero.
std::optional<long long> LeadingPower(std::string_view mantissa)
{
    const std::size_t point = mantissa.find('.');
    const std::size_t wholeEnd = point == std::string_view::npos ? mantissa.size() : point;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (mantissa[i] == '.' || mantissa[i] == '0') continue;
        return i < wholeEnd ? static_cast<long long>(wholeEnd - i) - 1 : -static_cast<long long>(i - wholeEnd);
    }
    return std::nullopt;
}

}  // namespace

NumberReading ReadNumberTelling(std::string_view line)
{
    constexpr NumberReading kNotANumber{std::nullopt, NumberProblem::NotANumber};
    std::string_view s = Trim(line);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }

    // The whole grammar is checked here, so that from_chars sees nothing else
    // (it would take "inf" and "nan", and stop early at a comma).
    std::size_t i = 0;
    // The mantissa's digits as an integer on the way, for the quick path
    // below (it wraps past 19 digits, where it is not used).
    std::uint64_t digits = 0;
    auto skipDigits = [&] {
        const std::size_t start = i;
        for (; i < s.size() && IsDigit(s[i]); ++i) digits = digits * 10 + static_cast<unsigned>(s[i] - '0');
        return i - start;
    };
    std::size_t mantissaDigits = skipDigits();
    std::size_t fractionDigits = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        fractionDigits = skipDigits();
        mantissaDigits += fractionDigits;
    }
    if (mantissaDigits == 0) return kNotANumber;
    const std::string_view mantissa = s.substr(0, i);
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        const bool exponentNegative = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t start = i;
        // Saturates beyond the length of any line, so that the leading
        // zeros of a mantissa can never outweigh it below.
        for (; i < s.size() && IsDigit(s[i]); ++i)
            if (exponent < kExponentCap) exponent = exponent * 10 + (s[i] - '0');
        if (i == start) return kNotANumber;
        if (exponentNegative) exponent = -exponent;
    }
    if (i != s.size()) return kNotANumber;

    // Most typed numbers (509.905, 2500) have few digits and a small power
    // of ten: both factors are exact doubles, so one multiplication or
    // division rounds the value correctly, as from_chars would. libstdc++'s
    // from_chars took two and a half times as long on a batch row's numbers.
    const long long scale = exponent - static_cast<long long>(fractionDigits);
    if (mantissaDigits <= 19 && digits <= (std::uint64_t(1) << 53) && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(digits);
        const double value = scale < 0 ? m / kExactPowersOfTen[-scale] : m * kExactPowersOfTen[scale];
        return {negative ? -value : value};
    }

    double value = 0.0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // It rounds to infinity or to zero; a mantissa of zeros never gets here.
        const std::optional<long long> power = LeadingPower(mantissa);
        return {std::nullopt, power && *power + exponent >= 0 ? NumberProblem::TooLarge : NumberProblem::TooSmall};
    }
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return kNotANumber;
    return {negative ? -value : value};
}

std::optional<double> ReadNumber(std::string_view line) { return ReadNumberTelling(line).value; }

const char* NumberProblemText(NumberProblem problem)
{
    switch (problem) {
    case NumberProblem::TooLarge: return "超出数值范围（绝对值太大）";
    case NumberProblem::TooSmall: return "超出数值范围（不为零，但绝对值太小，会成为零）";
    case NumberProblem::None:
    case NumberProblem::NotANumber: break;
    }
    return "不是一个数值";
}

const char* NumberWarning(NumberProblem problem)
{
    switch (problem) {
    case NumberProblem::TooLarge: return "这个数值超出范围（绝对值太大），请输入一个数值。";
    case NumberProblem::TooSmall: return "这个数值超出范围（不为零，但绝对值太小，会成为零），请输入一个数值。";
    case NumberProblem::None:
    case NumberProblem::NotANumber: break;
    }
    return "请输入一个数值。";
}

}  // namespace corvanet
