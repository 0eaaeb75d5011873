// The shortest text of a double, against the standard library's own
// std::to_chars on edge values, every digit count at every place of the point,
// and half a million deterministic bit patterns.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "text/number_text.h"

namespace corvanet {
namespace {

std::string Shortest(double v)
{
    char buf[kShortestTextRoom];
    return std::string(buf, WriteShortestText(buf, v));
}

std::string Standard(double v)
{
    char buf[64];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// Deterministic on every machine (SplitMix64).
class Bits {
public:
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t state_ = 20261208;
};

// Counts the values whose texts differ and reports the first few.
class Comparison {
public:
    void Check(double v)
    {
        ++checked_;
        const std::string ours = Shortest(v);
        if (ours == Standard(v)) return;
        if (++differing_ <= 10)
            ADD_FAILURE() << std::hexfloat << v << ": " << ours << " but to_chars writes " << Standard(v);
    }
    ~Comparison() { EXPECT_EQ(differing_, 0) << "of " << checked_; }

private:
    long checked_ = 0;
    long differing_ = 0;
};

TEST(ShortestText, ReadsLikeToChars)
{
    EXPECT_EQ(Shortest(0.1), "0.1");
    EXPECT_EQ(Shortest(123456.7), "123456.7");
    EXPECT_EQ(Shortest(-0.0), "-0");
    EXPECT_EQ(Shortest(10000.0), "10000");
    EXPECT_EQ(Shortest(100000.0), "1e+05");
    EXPECT_EQ(Shortest(1200000.0), "1200000");
    EXPECT_EQ(Shortest(0.001), "0.001");
    EXPECT_EQ(Shortest(0.0001), "1e-04");
    EXPECT_EQ(Shortest(0.00012345), "0.00012345");
    EXPECT_EQ(Shortest(5e-324), "5e-324");
    EXPECT_EQ(Shortest(-2.2250738585072014e-308), "-2.2250738585072014e-308");
    EXPECT_EQ(Shortest(1e22), "1e+22");
    EXPECT_EQ(Shortest(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(Shortest(509.90299494715951), "509.9029949471595");
}

TEST(ShortestText, EdgeValuesAsToChars)
{
    Comparison c;
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double v : {0.0, inf, nan, std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                     std::numeric_limits<double>::max(), std::nextafter(std::numeric_limits<double>::min(), 0.0),
                     0x1p53, 0x1p53 - 1, 0x1p53 + 2, 9007199254740993.0, 123456.7, 0.1, 0.2, 0.3, 1.0 / 3})
        for (double s : {v, -v}) c.Check(s);
    c.Check(std::copysign(nan, -1.0));
    // Every power of two, and its neighbours.
    for (int e = -1074; e <= 1023; ++e) {
        const double p = std::ldexp(1.0, e);
        for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, inf)}) c.Check(v);
    }
    // Powers of ten and their neighbours, where the form turns from fixed to scientific.
    for (int e = -325; e <= 308; ++e) {
        const double p = std::strtod(("1e" + std::to_string(e)).c_str(), nullptr);
        for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, inf), 1.5 * p, 1.2345 * p, 9.999 * p})
            c.Check(v);
    }
    // Whole numbers, small and around 2^53 .. 1e22, where the fixed form may
    // write the exact integer.
    for (int i = 0; i <= 200000; ++i) c.Check(i);
    Bits bits;
    for (int i = 0; i < 200000; ++i) {
        const double v = std::ldexp(1.0 + static_cast<double>(bits.Next() >> 12) * 0x1p-52, 40 + i % 35);
        c.Check(std::nearbyint(v));
        c.Check(std::nearbyint(v / 1000) * 1000);
    }
}

// The sweeps are sized to what they must catch. Under the sanitizers
// (CORVANET_SLOW_TESTS=short) a tenth of them runs: there they look for a
// write outside the text's room, which every layout and digit count shows
// with a few values, and the ordinary build has compared all of them.
int Sized(int full)
{
    static const bool shortRun = [] {
        const char* size = std::getenv("CORVANET_SLOW_TESTS");
        return size && std::string(size) == "short";
    }();
    return shortRun ? std::max(1, full / 10) : full;
}

// The layout turns on the number of digits and on where the point falls:
// fixed from 0.000ddd to dddd00000, scientific outside, with exponents of one
// to three digits. Up to 15 digits a decimal reads back as exactly those
// digits, so every count meets every place of the point here for certain;
// ten values a place cover the digit pairs of each count.
TEST(ShortestTextSweep, EveryDigitCountAtEveryPlaceOfThePointAsToChars)
{
    Comparison c;
    Bits bits;
    std::uint64_t power = 1;  // 10^(count - 1)
    for (int count = 1; count <= 15; ++count, power *= 10)
        for (int point = -324; point <= 308; ++point)  // 10^point: the place of the first digit
            for (int k = Sized(10); k > 0; --k) {
                std::uint64_t digits = power + bits.Next() % (9 * power);
                if (count > 1 && digits % 10 == 0) ++digits;  // all `count` digits significant
                const double v = std::strtod((std::to_string(digits) + "e" + std::to_string(point - count + 1)).c_str(), nullptr);
                c.Check(v);
                c.Check(-v);
            }
}

// Doubles as they come: mostly 16 and 17 digits, where the digits must be
// Dragonbox's and every digit pair of the table is met at every position
// many times over. 200 000 patterns put about a hundred values on each of
// the 2046 binary exponents.
TEST(ShortestTextSweep, RandomBitPatternsAsToChars)
{
    Comparison c;
    Bits bits;
    for (int i = Sized(200000); i > 0; --i) c.Check(std::bit_cast<double>(bits.Next()));
    // Magnitudes a survey writes (1e-12 .. 1e22), where the fixed form is most
    // used, with every mantissa: over 1 500 values a binary exponent.
    for (int i = Sized(200000); i > 0; --i) {
        const std::uint64_t b = bits.Next();
        const std::uint64_t exponent = 1023 - 40 + (b >> 52) % 115;
        c.Check(std::bit_cast<double>((b & 0x800FFFFFFFFFFFFFULL) | exponent << 52));
    }
    // Short decimals as typed (509.905, 0.000123), which have few digits:
    // some 500 for each of the 24 scales and 8 lengths.
    for (int i = Sized(100000); i > 0; --i) {
        const std::uint64_t b = bits.Next();
        const double digits = static_cast<double>((b >> 8) % 100000000);
        c.Check(digits / std::pow(10.0, static_cast<int>(b % 24)) * ((b >> 7) & 1 ? -1 : 1));
    }
}

}  // namespace
}  // namespace corvanet
