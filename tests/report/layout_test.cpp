// Tab columns, blanks and the wrap of a tab already passed, in characters,
// a text too long for the paper split into rows, and the report as plain text.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <sstream>

#include "report/line_layout.h"
#include "tests/report/report_test_support.h"
#include "report/report_text.h"

namespace corvanet {

void PrintTo(const PlacedText& placed, std::ostream* os)
{
    *os << "{" << placed.row << ", " << placed.x << ", \"" << placed.text << "\"}";
}

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

// Widths in tenths of a column, not all whole: ASCII 6, a wide character 10,
// any other 8.
double Tenths(std::string_view s)
{
    double width = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string_view c = s.substr(i, length);
        width += lead < 0x80 ? 0.6 : DisplayWidth(c) == 2 ? 1.0 : 0.8;
        i += length;
    }
    return width;
}

// A name of `count` characters: ASCII, CJK, two-byte and four-byte ones mixed.
std::string MixedName(std::size_t count, unsigned seed)
{
    static const char* const kPool[] = {"a", "Z", "7", " ", "-", "东", "岭", "（", "é", "𠀀"};
    std::mt19937 random(seed);
    std::string name;
    for (std::size_t i = 0; i < count; ++i) name += kPool[random() % std::size(kPool)];
    return name;
}

// The rows a text from `x` takes under the rule: all of it when it ends
// within the paper (or a hair past it), else the longest head that fits,
// at least one character; the same for what is left. Found by trying every head.
std::vector<std::string> RowsByEveryHead(std::string_view text, double x, const LineMetrics& m)
{
    const double slack = m.columnWidth * 1e-6;
    std::vector<std::string> rows;
    while (!text.empty() && x + m.textWidth(text) > m.rightEdge + slack) {
        std::size_t head = 0;
        for (std::size_t end = 1; end <= text.size(); ++end) {
            if (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) continue;
            if (head > 0 && m.textWidth(text.substr(0, end)) > m.rightEdge - x) break;
            head = end;
        }
        rows.emplace_back(text.substr(0, head));
        text.remove_prefix(head);
    }
    if (!text.empty()) rows.emplace_back(text);
    return rows;
}

TEST(LongText, RowsAreTheLongestHeadsThatFitWhateverTheRoom)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const std::string text = MixedName(seed * 7, seed);
        for (const double edge : {0.5, 0.8, 1.0, 3.7, 12.0, 29.6, 200.0}) {
            const LineMetrics metrics{1, 1, Tenths, edge};
            std::vector<std::string> rows;
            for (const PlacedText& placed : LayOutLine({Text(text)}, 0, metrics).texts) rows.push_back(placed.text);
            EXPECT_EQ(rows, RowsByEveryHead(text, 0, metrics)) << "seed " << seed << ", edge " << edge;
        }
    }
    // A text ending a hair past the paper stays on its row, as a tab column does.
    const LineMetrics tight{1, 1, Tenths, 3.0 - 1e-9};
    EXPECT_EQ(LayOutLine({Text("aaaaa")}, 0, tight).rows, 1);
    EXPECT_EQ(LayOutLine({Text("aaaaaa")}, 0, tight).rows, 2);
}

TEST(LongText, WhatFollowsContinuesAfterTheLastRow)
{
    const LineMetrics metrics{1, 1, [](std::string_view s) { return static_cast<double>(DisplayWidth(s)); }, 12};
    const LaidOutLine line = LayOutLine({Tab(3), Text("待定点-- 东山西岭南坡北沟"), Text(" --"), Tab(11), Text("x")}, 0, metrics);
    EXPECT_EQ(line.texts, (std::vector<PlacedText>{{0, 2, "待定点-- "},
                                                   {1, 2, "东山西岭南"},
                                                   {2, 2, "坡北沟"},
                                                   {2, 8, " --"},
                                                   {3, 10, "x"}}));
    EXPECT_EQ(line.rows, 4);
}

// A device's measure overflows on a text many pages wide: past a limit this
// one gives a width far to the left, as an overflowing one does.
TEST(LongText, ThreeHundredThousandCharactersWrapInsideThePaperInUnderASecond)
{
    const std::string name = MixedName(300000, 2024);
    std::size_t measured = 0;
    std::size_t longest = 0;
    const LineMetrics metrics{1, 1,
                              [&](std::string_view s) {
                                  measured += s.size();
                                  longest = std::max(longest, s.size());
                                  return s.size() > 4096 ? -1e9 : static_cast<double>(DisplayWidth(s));
                              },
                              115};
    const auto start = std::chrono::steady_clock::now();
    const LaidOutLine line = LayOutLine({Tab(30), Text(name), Text(" --")}, 0, metrics);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 1.0);
    // Measuring grows with the text, a few rows' worth at a time.
    EXPECT_LT(measured, 6 * name.size());
    EXPECT_LE(longest, 4096u);

    ASSERT_GT(line.texts.size(), 2u);
    std::string joined;
    for (std::size_t i = 0; i + 1 < line.texts.size(); ++i) {
        const PlacedText& row = line.texts[i];
        ASSERT_EQ(row.row, static_cast<int>(i));
        EXPECT_EQ(row.x, 29);
        const int width = DisplayWidth(row.text);
        ASSERT_LE(row.x + width, 115) << "row " << i;
        if (i + 2 < line.texts.size()) {
            ASSERT_GE(row.x + width, 115 - 1) << "row " << i << " is full";
        }
        joined += row.text;
    }
    EXPECT_EQ(joined, name);
    EXPECT_EQ(line.texts.back().text, " --");
    EXPECT_EQ(line.rows, static_cast<int>(line.texts.size()) - 1);
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
