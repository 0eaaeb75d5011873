// Which typed lines read as numbers.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/number_reading.h"

namespace corvanet {
namespace {

TEST(ReadNumber, PlainDecimalsWithAPoint)
{
    EXPECT_EQ(ReadNumber("2500"), 2500.0);
    EXPECT_EQ(ReadNumber("509.905"), 509.905);
    EXPECT_EQ(ReadNumber("-12.5"), -12.5);
    EXPECT_EQ(ReadNumber("0"), 0.0);
    EXPECT_EQ(ReadNumber("00"), 0.0);
    EXPECT_EQ(ReadNumber("5."), 5.0);
    EXPECT_EQ(ReadNumber(".5"), 0.5);
}

TEST(ReadNumber, BlanksSignsAndExponents)
{
    EXPECT_EQ(ReadNumber(" 12.5 "), 12.5);
    EXPECT_EQ(ReadNumber("\t7\t"), 7.0);
    EXPECT_EQ(ReadNumber("+5"), 5.0);
    EXPECT_EQ(ReadNumber("1e3"), 1000.0);
    EXPECT_EQ(ReadNumber("1.5E-2"), 0.015);
    EXPECT_EQ(ReadNumber("-2e+2"), -200.0);
    EXPECT_EQ(ReadNumber("1e308"), 1e308);
}

TEST(ReadNumber, TheSameDigitsGiveTheSameDoubleAsTheCompiler)
{
    EXPECT_EQ(ReadNumber("474.345"), 474.345);
    EXPECT_EQ(ReadNumber("984.808"), 984.808);
    EXPECT_EQ(ReadNumber("0.1"), 0.1);
}

TEST(ReadNumber, RejectsWhatIsNotANumber)
{
    for (const char* line : {"", " ", "abc", "1,5", "0x10", "inf", "-inf", "nan", "NaN", "infinity", "1e", "1e+",
                             "+", "-", ".", "1.2.3", "12a", "a12", "1 2", "--1", "+-1", "１２"}) {
        EXPECT_FALSE(ReadNumber(line).has_value()) << '"' << line << '"';
        EXPECT_EQ(ReadNumberTelling(line).problem, NumberProblem::NotANumber) << '"' << line << '"';
    }
}

// Only a decimal that no finite double holds is out of range: one that
// rounds to infinity, or one that is not zero and rounds to zero.
TEST(ReadNumber, OutOfRangeBothWaysIsToldAsSuch)
{
    for (const char* line : {"1e400", "-1e400", "1e999", "1.7976931348623159e308", "1e99999999999999999999999"})
        EXPECT_EQ(ReadNumberTelling(line).problem, NumberProblem::TooLarge) << line;
    for (const char* line : {"1e-400", "-1e-400", "2.4703282292062327e-324",
                             "0.000000000000000000000000000000000000000000000001e-300", "1e-99999999999999999999999"}) {
        const NumberReading r = ReadNumberTelling(line);
        EXPECT_EQ(r.problem, NumberProblem::TooSmall) << line;
        EXPECT_FALSE(r.value.has_value()) << line << " does not read as zero";
    }
    EXPECT_NE(std::string(NumberProblemText(NumberProblem::TooLarge)).find("超出数值范围"), std::string::npos);
    EXPECT_NE(std::string(NumberProblemText(NumberProblem::TooSmall)).find("超出数值范围"), std::string::npos);
    EXPECT_STREQ(NumberProblemText(NumberProblem::NotANumber), "不是一个数值");
}

TEST(ReadNumber, ZeroAndSubnormalsAreInRange)
{
    EXPECT_EQ(ReadNumber("1.7976931348623158e308"), 1.7976931348623157e308);
    EXPECT_EQ(ReadNumber("1e-300"), 1e-300);
    EXPECT_EQ(ReadNumber("1e-310"), 1e-310);
    EXPECT_EQ(ReadNumber("4.9e-324"), 4.9e-324);
    EXPECT_EQ(ReadNumber("2.4703282292062328e-324"), 4.9e-324) << "rounds up to the smallest subnormal";
    for (const char* zero : {"0", "0.0", "-0", "0e-400", "0.000e999", "0.000e-99999999999999999999999"}) {
        SCOPED_TRACE(zero);
        const NumberReading r = ReadNumberTelling(zero);
        ASSERT_TRUE(r.value.has_value());
        EXPECT_EQ(*r.value, 0.0);
    }
    EXPECT_TRUE(std::signbit(*ReadNumber("-0")));
}

TEST(ReadNumber, VeryLongLines)
{
    EXPECT_EQ(ReadNumberTelling(std::string(10000, '7')).problem, NumberProblem::TooLarge);
    EXPECT_EQ(ReadNumber("1." + std::string(10000, '0')), 1.0);
    EXPECT_EQ(ReadNumber(std::string(10000, 'x')), std::nullopt);
}

TEST(ReadNumber, LeadingZerosDoNotHideAnExponentBeyondTheRange)
{
    // 0.<20 000 000 zeros>1 × 10^20 000 400 is 1e399; the same zeros with
    // 10^20 000 000 leave 1e-1.
    const std::string zeros = "0." + std::string(20'000'000, '0') + "1e";
    EXPECT_EQ(ReadNumberTelling(zeros + "20000400").problem, NumberProblem::TooLarge);
    EXPECT_EQ(ReadNumberTelling("-" + zeros + "+20000400").problem, NumberProblem::TooLarge);
    EXPECT_EQ(ReadNumber(zeros + "20000000"), 0.1);
    EXPECT_EQ(ReadNumberTelling("1e-99999999999999999999999").problem, NumberProblem::TooSmall);
    EXPECT_EQ(ReadNumberTelling("1e99999999999999999999999").problem, NumberProblem::TooLarge);
}

// The digits, point and exponent of typed numbers, deterministic, each read
// bit for bit as the C library's correctly rounded strtod reads it: the quick
// path for short numbers and the long way must agree with it and each other.
TEST(ReadNumber, RandomDecimalsBitForBitAsStrtod)
{
    std::uint64_t state = 42;
    auto next = [&state](std::uint64_t n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (state >> 33) % n;
    };
    int differing = 0;
    for (int n = 0; n < 300000; ++n) {
        std::string text = next(4) == 0 ? "-" : "";
        const std::uint64_t digits = 1 + next(n % 2 ? 8 : 24);
        const std::uint64_t point = next(digits + 2);
        for (std::uint64_t d = 0; d < digits; ++d) {
            if (d == point) text += '.';
            text += static_cast<char>('0' + next(10));
        }
        if (next(3) == 0) text += "e" + std::to_string(static_cast<int>(next(61)) - 30);
        const std::optional<double> read = ReadNumber(text);
        const double expected = std::strtod(text.c_str(), nullptr);
        if (read && std::bit_cast<std::uint64_t>(*read) == std::bit_cast<std::uint64_t>(expected)) continue;
        if (++differing <= 10) ADD_FAILURE() << text << " reads as " << (read ? *read : -1.0) << ", strtod " << expected;
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace corvanet
