// The lines of the report, item by item: the worked figure, a print before
// any Calculate and after one that stopped, and the number rules that
// differ from the window's.
#include <gtest/gtest.h>

#include <cmath>

#include "text/display_rules.h"
#include "report/line_layout.h"
#include "report/print_report.h"
#include "tests/report/report_test_support.h"

namespace corvanet {
namespace {

using testing::RecordingPrinter;
using testing::WorkedRecord;
using Items = std::vector<PrintItem>;

std::vector<Items> ReportLines(const SurveyRecord& record)
{
    RecordingPrinter printer;
    PrintReport(record, printer);
    std::vector<Items> lines;
    for (const auto& line : printer.lines) lines.push_back(line.items);
    return lines;
}

// Line n of the report, counted from 1 as the surveyor reads the table.
Items LineOf(const SurveyRecord& record, int n)
{
    const std::vector<Items> lines = ReportLines(record);
    return lines.at(static_cast<std::size_t>(n - 1));
}

std::string Spaces(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// Every line of the report for the given value texts, in table order.
struct Values {
    std::string Xa, Ya, Xb, Yb, Xc, Yc, S1obs, s1, S2obs, s2, S3obs, s3, w, k, name, xp1, yp1, xp2, yp2, xp3, yp3,
        ms, px, py, mx, my, md;
    float mWhole;
};

std::vector<Items> ExpectedLines(const Values& v)
{
    return {
        {Tab(30), Text("Corvanet")},
        {},
        {},
        {Tab(22), Text("起始点座标 :")},
        {},
        {Tab(24), Text("起始点 A 座标 :" + Spaces(2) + "xa="), Text(v.Xa), Tab(40), Text("ya="), Text(v.Ya)},
        {Tab(24), Text("起始点 B 座标 :" + Spaces(2) + "xb="), Text(v.Xb), Blanks(40), Text("yb="), Text(v.Yb)},
        {Tab(24), Text("起始点 C 座标 :" + Spaces(2) + "xc="), Text(v.Xc), Blanks(40), Text("yc="), Text(v.Yc)},
        {},
        {Tab(22), Text("观测边长 (米) :"), Tab(38), Text("平差改正后边长 (米) :")},
        {},
        {Tab(24), Text("第 1 条观测边 : s1="), Text(v.S1obs), Tab(40), Text("s1 = "), Text(v.s1)},
        {Tab(24), Text("第 2 条观测边 : s2="), Text(v.S2obs), Tab(40), Text("s2 = "), Text(v.s2)},
        {Tab(24), Text("第 3 条观测边 : s3="), Text(v.S3obs), Tab(40), Text("s3 = "), Text(v.s3)},
        {},
        {},
        {Tab(32), Text("固定角条件闭合差 :" + Spaces(2) + "w="), Text(v.w + " (秒)")},
        {},
        {Tab(32), Text("法方程式 K 系数 :" + Spaces(2) + "k="), Text(v.k)},
        {},
        {Tab(28), Text("平差结果 :")},
        {},
        {Tab(30), Text("待定点-- " + v.name + " --")},
        {},
        {Tab(32), Text("xp1="), Text(v.xp1)},
        {Tab(32), Text("yp1="), Text(v.yp1)},
        {},
        {Tab(32), Text("xp2="), Text(v.xp2)},
        {Tab(32), Text("yp2="), Text(v.yp2)},
        {},
        {Tab(32), Text("xp3="), Text(v.xp3)},
        {Tab(32), Text("yp3="), Text(v.yp3)},
        {},
        {Tab(22), Text("精度评定 :")},
        {},
        {Tab(24), Text("单位权测边中误差 :" + Spaces(6) + "ms="), Text(v.ms + " 毫米")},
        {},
        {Tab(39), Text("待定点 (" + v.name + " ) :")},
        {Tab(24), Text("纵座标单位权权倒数 :" + Spaces(2) + "1/px="), Text(v.px)},
        {Tab(24), Text("横座标单位权权倒数 :" + Spaces(2) + "1/py="), Text(v.py)},
        {Tab(24), Text("纵座标单位权中误差 :" + Spaces(4) + "mx="), Text(v.mx + " 毫米")},
        {Tab(24), Text("横座标单位权中误差 :" + Spaces(4) + "my="), Text(v.my + " 毫米")},
        {Tab(24), Text("单位权点位中误差 :" + Spaces(6) + "md="), Text(v.md + " 毫米")},
        {Tab(24), Text("相对已知点相对中误差 : 1/m=1/"), Number(v.mWhole)},
    };
}

void ExpectLines(const std::vector<Items>& actual, const std::vector<Items>& expected)
{
    ASSERT_EQ(actual.size(), 44u);
    ASSERT_EQ(expected.size(), 44u);
    for (std::size_t i = 0; i < 44; ++i) EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
}


TEST(ReportRun, SetsPositionAndFontsThenPrints44LinesAndEnds)
{
    RecordingPrinter printer;
    PrintReport(WorkedRecord(), printer);
    std::vector<std::string> expected = {"SetPosition 2000 1000", "SetFontName 宋体", "SetFontSize 12"};
    for (int i = 0; i < 3; ++i) expected.push_back("PrintLine");
    expected.push_back("SetFontSize 10");
    for (int i = 0; i < 41; ++i) expected.push_back("PrintLine");
    expected.push_back("EndDocument");
    EXPECT_EQ(printer.calls, expected);
}

TEST(WorkedFigureReport, EveryLine)
{
    ExpectLines(ReportLines(WorkedRecord()),
                ExpectedLines({"2500.000", "2600.000", "3000.000", "3000.000", "2450.000", "3550.000",
                               "509.9050", "509.9030", "412.3080", "412.3068", "474.3450", "474.3426", "-2.76",
                               "0.00000400", "P1", "2600.004", "3100.000", "2600.004", "3100.000", "2600.004",
                               "3100.000", "3.32", "0.98195", "0.55206", "3.29", "2.47", "4.12", 100162.0f}));
}

TEST(ReportBeforeAnyCalculate, EveryValueIsZeroInItsPattern)
{
    ExpectLines(ReportLines(SurveyRecord{}),
                ExpectedLines({"0.000", "0.000", "0.000", "0.000", "0.000", "0.000", "0.0000", "0.0000", "0.0000",
                               "0.0000", "0.0000", "0.0000", "0.00", "0.00000000", "", "0.000", "0.000", "0.000",
                               "0.000", "0.000", "0.000", "0.00", "0.00000", "0.00000", "0.00", "0.00", "0.00",
                               0.0f}));
}

TEST(ReportBeforeAnyCalculate, NameLinesAndLastLine)
{
    const SurveyRecord empty;
    EXPECT_EQ(LineOf(empty, 23)[1], Text("待定点--  --"));
    EXPECT_EQ(LineOf(empty, 38)[1], Text("待定点 ( ) :"));
    EXPECT_EQ(LineOf(empty, 17)[2], Text("0.00 (秒)"));
    EXPECT_EQ(ItemText(LineOf(empty, 44)[2]), " 0 ");
}

TEST(ReportAfterAStoppedCalculate, NewInputsBesideTheOldResults)
{
    SurveyRecord record = WorkedRecord();
    // A second figure whose first triangle cannot close: the run stops in
    // the adjustment, before S1 to S3 are overwritten.
    record.Xa = 2400, record.PointName = "Q9";
    record.S1 = 5000, record.S2 = 412.308, record.S3 = 474.345;
    record.S1obs = 5000.0f, record.S2obs = 412.308f, record.S3obs = 474.345f;
    NullSink sink;
    ASSERT_TRUE(TryCalculate(record, sink).has_value());

    EXPECT_EQ(LineOf(record, 6)[2], Text("2400.000"));
    EXPECT_EQ(LineOf(record, 12)[2], Text("5000.0000"));
    EXPECT_EQ(LineOf(record, 12)[5], Text("5000.0000")) << "the measured distance sits in the adjusted column";
    EXPECT_EQ(LineOf(record, 13)[5], Text("412.3080"));
    EXPECT_EQ(LineOf(record, 23)[1], Text("待定点-- Q9 --"));
    EXPECT_EQ(LineOf(record, 17)[2], Text("-2.76 (秒)")) << "results the run did not reach stay";
    EXPECT_EQ(LineOf(record, 25)[2], Text("2600.004"));
    EXPECT_EQ(ItemText(LineOf(record, 44)[2]), " 100162 ");
}

TEST(ReportPointName, PrintedAsTyped)
{
    SurveyRecord record;
    record.PointName = " 北 7/a ";
    EXPECT_EQ(LineOf(record, 23)[1], Text("待定点--  北 7/a  --"));
    EXPECT_EQ(LineOf(record, 38)[1], Text("待定点 ( 北 7/a  ) :"));
}

TEST(ReportMeasuredDistance, PrintsFromItsSingleCopy)
{
    SurveyRecord record;
    record.S1obs = 1234.5678f;
    record.S1 = 1234.5678;
    const Items line = LineOf(record, 12);
    EXPECT_EQ(line[2], Text("1234.5680")) << "seven significant digits of the single";
    EXPECT_EQ(line[5], Text("1234.5678")) << "the double keeps its four decimals";
}

TEST(ReportRounding, MeanSquareErrorsRoundHalfAwayUnlikeTheWindow)
{
    SurveyRecord record;
    record.ms = 0.125f, record.mx = 0.125f, record.my = 0.375f, record.md = 2.625f;
    EXPECT_EQ(LineOf(record, 36)[2], Text("0.13 毫米"));
    EXPECT_EQ(ResultText(ResultField::ms, record), "0.12毫米");
    EXPECT_EQ(LineOf(record, 41)[2], Text("0.13 毫米"));
    EXPECT_EQ(LineOf(record, 42)[2], Text("0.38 毫米"));
    EXPECT_EQ(LineOf(record, 43)[2], Text("2.63 毫米"));
}

TEST(ReportRounding, KnownPointsAndWeightsUnroundedAdjustedValuesHalfEven)
{
    SurveyRecord record;
    record.Xa = 0.0625, record.Yc = 2.0625;  // exact halves at three decimals
    record.px = 0.000005, record.py = 0.1234550000000001;
    record.S2 = 1.03125;  // exact half at four decimals
    record.w = 0.125f;
    record.xp1 = 0.0625, record.yp3 = 2.0625;
    EXPECT_EQ(LineOf(record, 6)[2], Text("0.063"));
    EXPECT_EQ(LineOf(record, 8)[5], Text("2.063"));
    EXPECT_EQ(LineOf(record, 39)[2], Text("0.00001"));
    EXPECT_EQ(LineOf(record, 40)[2], Text("0.12346"));
    EXPECT_EQ(LineOf(record, 13)[5], Text("1.0312"));
    EXPECT_EQ(LineOf(record, 17)[2], Text("0.12 (秒)"));
    EXPECT_EQ(LineOf(record, 25)[2], Text("0.062"));
    EXPECT_EQ(LineOf(record, 32)[2], Text("2.062"));
}

TEST(ReportRelativeError, WholePartOfMInTheNumberForm)
{
    SurveyRecord record;
    record.m = 812.9f;
    Items last = LineOf(record, 44);
    EXPECT_EQ(last[2], Number(812.0f));
    EXPECT_EQ(ItemText(last[2]), " 812 ");

    record.m = 12345678.0f;
    EXPECT_EQ(ItemText(LineOf(record, 44)[2]), " 1.234568E+07 ");
    record.m = 10000000.0f;
    EXPECT_EQ(ItemText(LineOf(record, 44)[2]), " 1E+07 ");
    record.m = 9999999.0f;
    EXPECT_EQ(ItemText(LineOf(record, 44)[2]), " 9999999 ");
}

}  // namespace
}  // namespace corvanet
