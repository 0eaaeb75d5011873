#include "text/number_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <fmt/format.h>

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

constexpr std::uint64_t kPowersOfTen[] = {1ULL,
                                          10ULL,
                                          100ULL,
                                          1000ULL,
                                          10000ULL,
                                          100000ULL,
                                          1000000ULL,
                                          10000000ULL,
                                          100000000ULL,
                                          1000000000ULL,
                                          10000000000ULL,
                                          100000000000ULL,
                                          1000000000000ULL,
                                          10000000000000ULL,
                                          100000000000000ULL,
                                          1000000000000000ULL,
                                          10000000000000000ULL,
                                          100000000000000000ULL,
                                          1000000000000000000ULL,
                                          10000000000000000000ULL};

int DigitCount(std::uint64_t v)
{
    // log10(2) is about 1233 / 4096: a guess from the bit length, then one look.
    const int guess = (std::bit_width(v | 1) * 1233) >> 12;
    return guess + (v >= kPowersOfTen[guess]);
}

// "00" "01" ... "99": two digits a step.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void WritePair(char* out, std::uint32_t v) { std::memcpy(out, kDigitPairs + 2 * v, 2); }

// The 8 digits of `v` < 10^8, leading zeros included. Four independent pairs
// rather than a chain of divisions.
void WriteEightDigits(char* out, std::uint32_t v)
{
    const std::uint32_t high = v / 10000, low = v % 10000;
    WritePair(out, high / 100);
    WritePair(out + 2, high % 100);
    WritePair(out + 4, low / 100);
    WritePair(out + 6, low % 100);
}

// Shortest digits have at most 17; they are written as 17, leading zeros
// included, into a buffer long enough for the fixed-size copies below.
constexpr int kDigits = 17;
constexpr std::size_t kCopy = 24;  // fixed-size copies: one move, no call
struct DigitBuffer {
    char text[kDigits + kCopy];
};

// The digits of `v` < 10^17; the first of `count` is at the result.
const char* WriteDigits(DigitBuffer& buffer, std::uint64_t v, int count)
{
    const std::uint64_t high = v / 100000000;
    buffer.text[0] = static_cast<char>('0' + high / 100000000);
    WriteEightDigits(buffer.text + 1, static_cast<std::uint32_t>(high % 100000000));
    WriteEightDigits(buffer.text + 9, static_cast<std::uint32_t>(v % 100000000));
    return buffer.text + kDigits - count;
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

char* WriteShortestText(char* out, double value)
{
    char* const start = out;
    if (!std::isfinite(value)) return std::to_chars(out, out + kShortestTextRoom, value).ptr;
    if (std::signbit(value)) *out++ = '-';
    if (value == 0.0) {
        *out++ = '0';
        return out;
    }
    // The shortest digits that read back as `value`: value = digits × 10^e.
    // libfmt's public formatting lays numbers out otherwise ("{}" writes
    // 1e+15 as 1000000000000000 and 1e-04 as 0.0001), and std::to_chars
    // itself makes the batch about a fifth slower; the digits alone come
    // from libfmt's Dragonbox, which only its detail namespace offers.
    const auto decimal = fmt::detail::dragonbox::to_decimal(value);
    const int e = decimal.exponent;
    const int count = DigitCount(decimal.significand);
    DigitBuffer buffer;
    const char* digits = WriteDigits(buffer, decimal.significand, count);

    // Fixed unless scientific is shorter; a tie goes to fixed. Each copy
    // moves kCopy bytes; what lies past the text is overwritten or left in
    // the caller's room.
    const bool fixed = count == 1 ? (e >= -3 && e <= 4) : (e >= -(count + 3) && e <= 5);
    if (fixed && e >= 0) {
        // Beyond 2^53 the digits and zeros may not be the value itself;
        // to_chars then writes the exact integer, which is as short.
        if (e > 0 && std::abs(value) >= 0x1p53) return std::to_chars(start, start + kShortestTextRoom, value).ptr;
        std::memcpy(out, digits, kCopy);
        std::memcpy(out + count, "00000000", 8);
        return out + count + e;
    }
    if (fixed && -e < count) {
        const int whole = count + e;
        std::memcpy(out, digits, kCopy);
        std::memcpy(out + whole + 1, digits + whole, kCopy);
        out[whole] = '.';
        return out + count + 1;
    }
    if (fixed) {
        const int zeros = -e - count;
        std::memcpy(out, "0.000000", 8);
        std::memcpy(out + 2 + zeros, digits, kCopy);
        return out + 2 + zeros + count;
    }

    out[0] = digits[0];
    out[1] = '.';
    std::memcpy(out + 2, digits + 1, kCopy);
    out += count == 1 ? 1 : count + 1;
    int exponent = e + count - 1;
    out[0] = 'e';
    out[1] = exponent < 0 ? '-' : '+';
    exponent = std::abs(exponent);
    if (exponent >= 100) {
        out[2] = static_cast<char>('0' + exponent / 100);
        WritePair(out + 3, static_cast<std::uint32_t>(exponent % 100));
        return out + 5;
    }
    WritePair(out + 2, static_cast<std::uint32_t>(exponent));
    return out + 4;
}

}  // namespace corvanet
