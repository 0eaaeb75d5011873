// Which typed lines read as numbers.
#include <gtest/gtest.h>

#include <cmath>
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
                             "+", "-", ".", "1.2.3", "12a", "a12", "1 2", "--1", "+-1", "１２", "1e999", "-1e999"})
        EXPECT_FALSE(ReadNumber(line).has_value()) << '"' << line << '"';
}

TEST(ReadNumber, TinyValuesReadAsZeroOrSubnormal)
{
    EXPECT_EQ(ReadNumber("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(*ReadNumber("-1e-400")));
    const auto sub = ReadNumber("4.9e-324");
    ASSERT_TRUE(sub.has_value());
    EXPECT_GT(*sub, 0.0);
    EXPECT_EQ(ReadNumber("0.000000000000000000000000000000000000000000000001e-300"), 0.0);
}

TEST(ReadNumber, VeryLongLines)
{
    EXPECT_EQ(ReadNumber(std::string(10000, '7')), std::nullopt) << "beyond the double range";
    EXPECT_EQ(ReadNumber("1." + std::string(10000, '0')), 1.0);
    EXPECT_EQ(ReadNumber(std::string(10000, 'x')), std::nullopt);
}

TEST(ReadNumber, LeadingZerosDoNotHideAnExponentBeyondTheRange)
{
    // 0.<20 000 000 zeros>1 × 10^20 000 400 is 1e399; the same zeros with
    // 10^20 000 000 leave 1e-1.
    const std::string zeros = "0." + std::string(20'000'000, '0') + "1e";
    EXPECT_EQ(ReadNumber(zeros + "20000400"), std::nullopt);
    EXPECT_EQ(ReadNumber("-" + zeros + "+20000400"), std::nullopt);
    EXPECT_EQ(ReadNumber(zeros + "20000000"), 0.1);
    EXPECT_EQ(ReadNumber("1e-99999999999999999999999"), 0.0);
    EXPECT_EQ(ReadNumber("1e99999999999999999999999"), std::nullopt);
}

}  // namespace
}  // namespace corvanet
