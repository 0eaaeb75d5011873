// Reading the ten answers of one figure.
#include <gtest/gtest.h>

#include "cli/figure_calculation.h"
#include "cli/figure_input.h"

namespace corvanet {
namespace {

std::variant<SurveyRecord, InputError> Read(const std::string& text)
{
    LineReader in(ReadFromString(text));
    return ReadFigure(in);
}

TEST(FigureInput, WorkedFigure)
{
    const auto v = Read("2500\n2600\n3000\n3000\n2450\n3550\nP1\n509.905\n412.308\n474.345\n");
    ASSERT_TRUE(std::holds_alternative<SurveyRecord>(v));
    const SurveyRecord& r = std::get<SurveyRecord>(v);
    EXPECT_EQ(r.Xa, 2500.0);
    EXPECT_EQ(r.Yc, 3550.0);
    EXPECT_EQ(r.PointName, "P1");
    EXPECT_EQ(r.S1, 509.905);
    EXPECT_EQ(r.w, 0.0f);
    // The single copies are taken by the calculation, as on entry.
    SurveyRecord calculated = r;
    NullSink sink;
    EXPECT_FALSE(CalculateFigure(calculated, sink).failure);
    EXPECT_EQ(calculated.S1obs, 509.905f);
    EXPECT_EQ(calculated.S3obs, 474.345f);
}

TEST(FigureInput, NameIsTakenAsTypedAndLinesMayEndInCrLf)
{
    const auto v = Read("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n  %s <b>&\r\n7\r\n8\r\n9");
    ASSERT_TRUE(std::holds_alternative<SurveyRecord>(v));
    EXPECT_EQ(std::get<SurveyRecord>(v).PointName, "  %s <b>&");
    EXPECT_EQ(std::get<SurveyRecord>(v).S3, 9.0);
}

TEST(FigureInput, EmptyNameIsAName)
{
    const auto v = Read("1\n2\n3\n4\n5\n6\n\n7\n8\n9\n");
    ASSERT_TRUE(std::holds_alternative<SurveyRecord>(v));
    EXPECT_EQ(std::get<SurveyRecord>(v).PointName, "");
}

TEST(FigureInput, UnusableInputNamesTheLine)
{
    const auto bad = Read("1\n2\n3\nabc\n5\n6\nP\n7\n8\n9\n");
    ASSERT_TRUE(std::holds_alternative<InputError>(bad));
    EXPECT_EQ(std::get<InputError>(bad).line, 4);
    EXPECT_NE(std::get<InputError>(bad).message.find("Yb"), std::string::npos);

    const auto shortInput = Read("1\n2\n3\n");
    ASSERT_TRUE(std::holds_alternative<InputError>(shortInput));
    EXPECT_EQ(std::get<InputError>(shortInput).line, 4);

    EXPECT_TRUE(std::holds_alternative<InputError>(Read("1\n2\n3\n4\n5\n6\nP\n1e999\n8\n9\n")));
    EXPECT_TRUE(std::holds_alternative<InputError>(Read("1\n2\n3\n4\n5\n6\nP\n7\n\n9\n")));
}

TEST(FigureInput, OutOfRangeIsToldApartFromNotANumber)
{
    const auto message = [](const std::string& text) {
        const auto v = Read(text);
        return std::holds_alternative<InputError>(v) ? std::get<InputError>(v).message : std::string("read");
    };
    EXPECT_EQ(message("1\n2\n3\n4\n5\n6\nP\n1e400\n8\n9\n"), "S1 超出数值范围（绝对值太大）：\"1e400\"");
    EXPECT_EQ(message("1e-400\n2\n3\n4\n5\n6\nP\n7\n8\n9\n"),
              "Xa 超出数值范围（不为零，但绝对值太小，会成为零）：\"1e-400\"");
    EXPECT_EQ(message("1\n2\n3\nabc\n5\n6\nP\n7\n8\n9\n"), "Yb 不是一个数值：\"abc\"");
    // Zero and a subnormal are values.
    const auto v = Read("0\n0.0\n1e-310\n4\n5\n6\nP\n7\n8\n9\n");
    ASSERT_TRUE(std::holds_alternative<SurveyRecord>(v));
    EXPECT_EQ(std::get<SurveyRecord>(v).Xb, 1e-310);
}

}  // namespace
}  // namespace corvanet
