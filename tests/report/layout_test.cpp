// Tab columns, blanks and the wrap of a tab already passed, in characters,
// and the report as plain text.
#include <gtest/gtest.h>

#include <sstream>

#include "report/line_layout.h"
#include "tests/report/report_test_support.h"
#include "report/report_text.h"

namespace corvanet {
namespace {

using testing::WorkedRecord;

const LineMetrics kCharacters{1, 1, [](std::string_view s) { return static_cast<double>(DisplayWidth(s)); }};

std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Spaces(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

TEST(TabColumns, ColumnOneIsTheLeftEdge)
{
    const LaidOutLine line = LayOutLine({Tab(1), Text("abcd"), Tab(5), Text("b")}, 0, kCharacters);
    EXPECT_EQ(line.rows, 1) << "a tab reached exactly stays on the row";
    EXPECT_EQ(line.texts, (std::vector<PlacedText>{{0, 0, "abcd"}, {0, 4, "b"}}));
}

TEST(TabColumns, ATabAlreadyPassedContinuesAtItsColumnOnTheNextRow)
{
    const LaidOutLine line = LayOutLine({Text("abcdef"), Tab(5), Text("g"), Tab(3), Text("h")}, 0, kCharacters);
    EXPECT_EQ(line.rows, 3);
    EXPECT_EQ(line.texts, (std::vector<PlacedText>{{0, 0, "abcdef"}, {1, 4, "g"}, {2, 2, "h"}}));
}

TEST(TabColumns, TheStartPositionCountsForTheFirstTab)
{
    EXPECT_EQ(LayOutLine({Tab(3), Text("x")}, 5, kCharacters).rows, 2);
    EXPECT_EQ(LayOutLine({Tab(30), Text("x")}, 16, kCharacters).texts.front(), (PlacedText{0, 29, "x"}));
}

TEST(TabColumns, WideCharactersTakeTwoColumns)
{
    EXPECT_EQ(DisplayWidth("观测边长 (米) :"), 15);
    EXPECT_EQ(DisplayWidth("xa=2500.000"), 11);
    EXPECT_EQ(DisplayWidth("（）"), 4);
    const LaidOutLine line = LayOutLine({Text("座标"), Tab(4), Text("x")}, 0, kCharacters);
    EXPECT_EQ(line.rows, 2) << "two wide characters end at column 5, past column 4";
}

TEST(TabColumns, BlanksMoveRightWithoutWrapping)
{
    const LaidOutLine line = LayOutLine({Text("ab"), Blanks(40), Text("c")}, 0, kCharacters);
    EXPECT_EQ(line.rows, 1);
    EXPECT_EQ(line.texts.back(), (PlacedText{0, 42, "c"}));
}

TEST(PlainTextReport, WorkedFigureWrapsTheLinesThatPassTheirTab)
{
    const std::vector<std::string> lines = TextLines(ReportPlainText(WorkedRecord()));
    // The 44 lines, four of them (6, 12, 13, 14) taking two rows.
    ASSERT_EQ(lines.size(), 48u);
    EXPECT_EQ(ReportPlainText(WorkedRecord()).back(), '\n');
    EXPECT_EQ(lines[0], Spaces(29) + "Corvanet");
    EXPECT_EQ(lines[5], Spaces(23) + "起始点 A 座标 :  xa=2500.000");
    EXPECT_EQ(lines[6], Spaces(39) + "ya=2600.000");
    EXPECT_EQ(lines[7], Spaces(23) + "起始点 B 座标 :  xb=3000.000" + Spaces(40) + "yb=3000.000");
    EXPECT_EQ(lines[10], Spaces(21) + "观测边长 (米) : 平差改正后边长 (米) :");
    EXPECT_EQ(lines[12], Spaces(23) + "第 1 条观测边 : s1=509.9050");
    EXPECT_EQ(lines[13], Spaces(39) + "s1 = 509.9030");
    EXPECT_EQ(lines[17], Spaces(39) + "s3 = 474.3426");
    EXPECT_EQ(lines[20], Spaces(31) + "固定角条件闭合差 :  w=-2.76 (秒)");
    EXPECT_EQ(lines[26], Spaces(29) + "待定点-- P1 --");
    EXPECT_EQ(lines[28], Spaces(31) + "xp1=2600.004");
    EXPECT_EQ(lines[41], Spaces(38) + "待定点 (P1 ) :");
    EXPECT_EQ(lines[47], Spaces(23) + "相对已知点相对中误差 : 1/m=1/ 100162 ");
}

}  // namespace
}  // namespace corvanet
