// The ellipse and the checks as text, and the tab-separated copy of a
// calculation: safe to paste, whatever the name holds.
#include <gtest/gtest.h>

#include "text/extras_text.h"
#include "text/result_columns.h"

namespace corvanet {
namespace {

CalculationOutcome Worked(const std::string& name)
{
    SurveyRecord r;
    r.PointName = name;
    r.Xa = 2500, r.Ya = 2600, r.Xb = 3000, r.Yb = 3000, r.Xc = 2450, r.Yc = 3550;
    r.S1 = 509.905, r.S2 = 412.308, r.S3 = 474.345;
    NullSink sink;
    return CalculateOutcome(r, sink);
}

std::vector<std::string> Cells(const std::string& table, int line)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (int i = 0; i < line; ++i) start = table.find('\n', start) + 1;
    const std::string row = table.substr(start, table.find('\n', start) - start);
    for (std::size_t from = 0;;) {
        const std::size_t tab = row.find('\t', from);
        cells.push_back(row.substr(from, tab - from));
        if (tab == std::string::npos) return cells;
        from = tab + 1;
    }
}

TEST(ExtrasText, SmallFiguresKeepThreeSignificantDigits)
{
    EXPECT_EQ(SmallNumberText(1.5962e-05), "0.0000160");
    EXPECT_EQ(SmallNumberText(-2.759), "-2.76");
    EXPECT_EQ(SmallNumberText(0.0), "0.00");
    EXPECT_EQ(SmallNumberText(123.456), "123.46");
    EXPECT_EQ(SmallNumberText(3e-15), "0.000000000000") << "at most twelve decimals";
}

TEST(ExtrasText, NotAvailableWhereTheCalculationStoppedOrAFigureFailed)
{
    for (const ExtraText& t : ExtrasTexts(std::nullopt)) EXPECT_STREQ(t.value.c_str(), kNotAvailable) << t.label;
    CalculationExtras partial{};
    partial.ellipse.E = 3.39657;
    const auto texts = ExtrasTexts(partial);
    EXPECT_EQ(texts[1].value, "3.40毫米");
    EXPECT_EQ(texts[2].value, kNotAvailable);
}

TEST(ResultColumns, TextThatASpreadsheetWouldTakeForAFormulaOrACellBreakIsDefused)
{
    for (const char* name : {"=HYPERLINK(\"x\")", "+1", "-P", "@SUM(A1)"}) {
        const auto row = Cells(TabSeparatedResults(Worked(name), std::nullopt, ""), 1);
        EXPECT_EQ(row[0], std::string("'") + name);
    }
    const auto row = Cells(TabSeparatedResults(Worked("a\tb\nc"), std::nullopt, ""), 1);
    EXPECT_EQ(row[0], "a b c");
    EXPECT_EQ(Cells(TabSeparatedResults(Worked("P1"), std::nullopt, ""), 1)[11], "-2.759147882461548") << "numbers stay numbers";
}

TEST(ResultColumns, NoteGoesBeforeTheMessage)
{
    const std::string table = TabSeparatedResults(Worked("P1"), std::nullopt, "旧结果。");
    const auto header = Cells(table, 0), row = Cells(table, 1);
    const auto message = std::find(header.begin(), header.end(), "message") - header.begin();
    EXPECT_EQ(row[message], "旧结果。");
}

}  // namespace
}  // namespace corvanet
