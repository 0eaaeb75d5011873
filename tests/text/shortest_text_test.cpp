// The shortest text of a double, against the standard library's own
// std::to_chars on edge values and a few million deterministic bit patterns.
#include <gtest/gtest.h>

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

TEST(ShortestText, RandomBitPatternsAsToChars)
{
    Comparison c;
    Bits bits;
    for (int i = 0; i < 2000000; ++i) c.Check(std::bit_cast<double>(bits.Next()));
    // Magnitudes a survey writes (1e-12 .. 1e22), where the fixed form is most
    // used, with every mantissa.
    for (int i = 0; i < 2000000; ++i) {
        const std::uint64_t b = bits.Next();
        const std::uint64_t exponent = 1023 - 40 + (b >> 52) % 115;
        c.Check(std::bit_cast<double>((b & 0x800FFFFFFFFFFFFFULL) | exponent << 52));
    }
    // Short decimals as typed (509.905, 0.000123), which have few digits.
    for (int i = 0; i < 1000000; ++i) {
        const std::uint64_t b = bits.Next();
        const double digits = static_cast<double>((b >> 8) % 100000000);
        c.Check(digits / std::pow(10.0, static_cast<int>(b % 24)) * ((b >> 7) & 1 ? -1 : 1));
    }
}

}  // namespace
}  // namespace corvanet
