// Digit patterns, half-even rounding and the single-precision text.
#include <gtest/gtest.h>

#include "text/number_text.h"

namespace corvanet {
namespace {

TEST(FormatPattern, HalfAwayFromZeroAfterFifteenDigits)
{
    EXPECT_EQ(FormatPattern(2.5, "0.00"), "2.50");
    EXPECT_EQ(FormatPattern(0.125, "0.00"), "0.13");
    EXPECT_EQ(FormatPattern(-0.5, "0.000"), "-0.500");
    EXPECT_EQ(FormatPattern(3456789.1234567, "0.000"), "3456789.123");
    EXPECT_EQ(FormatPattern(1234.0625, "0.000"), "1234.063");
    EXPECT_EQ(FormatPattern(-1234.0625, "0.000"), "-1234.063");
    EXPECT_EQ(FormatPattern(3456.7, "0.000"), "3456.700");
    EXPECT_EQ(FormatPattern(0.98195343253, "0.00000"), "0.98195");
    EXPECT_EQ(FormatPattern(0.000004003410772835984, "0.00000000"), "0.00000400");
}

TEST(FormatPattern, FifteenDigitsDecideBeforeThePattern)
{
    // 2.675 is stored a hair below; at 15 digits it is 2.67500000000000, a half.
    EXPECT_EQ(FormatPattern(2.675, "0.00"), "2.68");
    // 0.4999999999999999 is 0.500000000000000 at 15 digits.
    EXPECT_EQ(FormatPattern(0.4999999999999999, "0.00000000"), "0.50000000");
}

TEST(FormatPattern, CarriesIntoTheWholePart)
{
    EXPECT_EQ(FormatPattern(0.9995, "0.000"), "1.000");
    EXPECT_EQ(FormatPattern(9.9999, "0.00"), "10.00");
    EXPECT_EQ(FormatPattern(-99.9999, "0.000"), "-100.000");
}

TEST(FormatPattern, SmallAndLargeMagnitudes)
{
    EXPECT_EQ(FormatPattern(0.0, "0.000"), "0.000");
    EXPECT_EQ(FormatPattern(0.0004, "0.000"), "0.000");
    EXPECT_EQ(FormatPattern(0.0005, "0.000"), "0.001");
    EXPECT_EQ(FormatPattern(1e-300, "0.0000"), "0.0000");
    EXPECT_EQ(FormatPattern(1e20, "0.00"), "100000000000000000000.00");
    EXPECT_EQ(FormatPattern(123456789012345678.0, "0.000"), "123456789012346000.000");
}

TEST(FormatPattern, NegativeValueShownAsZeroHasNoMinus)
{
    EXPECT_EQ(FormatPattern(-0.0004, "0.000"), "0.000");
    EXPECT_EQ(FormatPattern(-0.0, "0.00"), "0.00");
    EXPECT_EQ(FormatPattern(-0.0005, "0.000"), "-0.001");
    EXPECT_EQ(FormatPattern(-0.001f, "0.00"), "0.00");
}

TEST(FormatPattern, SingleStartsFromSevenDigits)
{
    EXPECT_EQ(FormatPattern(1234.5678f, "0.0000"), "1234.5680");
    EXPECT_EQ(FormatPattern(509.905f, "0.0000"), "509.9050");
    EXPECT_EQ(FormatPattern(0.125f, "0.00"), "0.13");
    EXPECT_EQ(FormatPattern(3.3235526f, "0.00"), "3.32");
    // The same value as a double keeps its trailing digits.
    EXPECT_EQ(FormatPattern(static_cast<double>(509.905f), "0.0000"), "509.9050");
    EXPECT_EQ(FormatPattern(static_cast<double>(1234.5678f), "0.0000"), "1234.5677");
}

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(RoundHalfEven(3.125, 2), 3.12);
    EXPECT_EQ(RoundHalfEven(0.375, 2), 0.38);
    EXPECT_EQ(RoundHalfEven(0.126, 2), 0.13);
    EXPECT_EQ(RoundHalfEven(1234.0625, 3), 1234.062);
    EXPECT_EQ(RoundHalfEven(-2.5, 0), -2.0);
    EXPECT_EQ(RoundHalfEven(0.03125, 4), 0.0312);
}

TEST(RoundHalfEven, SingleStaysSingle)
{
    EXPECT_EQ(RoundHalfEven(0.125f, 2), 0.12f);
    EXPECT_EQ(RoundHalfEven(3.125f, 2), 3.12f);
    EXPECT_EQ(RoundHalfEven(-2.759147882461548f, 2), -2.76f);
}

TEST(RoundHalfEven, HugeValuesAreLeftAsTheyAre)
{
    EXPECT_EQ(RoundHalfEven(1e308, 8), 1e308);
    EXPECT_EQ(RoundHalfEven(-3e38f, 8), -3e38f);
}

TEST(SingleText, WholeNumbersAndExponentForm)
{
    EXPECT_EQ(SingleText(35812.0f), "35812");
    EXPECT_EQ(SingleText(100162.0f), "100162");
    EXPECT_EQ(SingleText(-7.0f), "-7");
    EXPECT_EQ(SingleText(0.0f), "0");
    EXPECT_EQ(SingleText(-0.0f), "0");
    EXPECT_EQ(SingleText(9999999.0f), "9999999");
    EXPECT_EQ(SingleText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(SingleText(10000000.0f), "1E+07");
    EXPECT_EQ(SingleText(-3.0e38f), "-3E+38");
    EXPECT_EQ(SingleText(2.5f), "2.5");
}

TEST(PrintNumberText, BlankForTheSignThenABlankAfter)
{
    EXPECT_EQ(PrintNumberText(812.0f), " 812 ");
    EXPECT_EQ(PrintNumberText(0.0f), " 0 ");
    EXPECT_EQ(PrintNumberText(-5.0f), "-5 ");
    EXPECT_EQ(PrintNumberText(12345678.0f), " 1.234568E+07 ");
}

}  // namespace
}  // namespace corvanet
