// The window's copy for a spreadsheet and the batch output are one table:
// for the same figure every column they share holds the same text, whether
// the calculation completed or stopped, and wherever it stopped.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "cli/batch.h"
#include "tests/engine/test_figures.h"
#include "text/result_columns.h"

namespace corvanet {
namespace {

using Cells = std::map<std::string, std::string>;

// The header and the first row of a table, cell by cell by column name;
// a separator inside quotes (CSV) is part of its cell.
Cells FirstRow(const std::string& table, char separator)
{
    std::vector<std::string> cells(1);
    std::vector<std::vector<std::string>> rows;
    bool quoted = false;
    for (std::size_t i = 0; i < table.size() && rows.size() < 2; ++i) {
        const char c = table[i];
        if (c == '"' && separator == ',') {
            if (quoted && i + 1 < table.size() && table[i + 1] == '"') cells.back() += table[++i];
            else quoted = !quoted;
        } else if (c == separator && !quoted) {
            cells.emplace_back();
        } else if (c == '\n' && !quoted) {
            rows.push_back(std::exchange(cells, {std::string()}));
        } else {
            cells.back() += c;
        }
    }
    EXPECT_EQ(rows.size(), 2u) << table;
    EXPECT_EQ(rows.at(0).size(), rows.at(1).size()) << table;
    Cells byHeader;
    for (std::size_t i = 0; i < rows[0].size() && i < rows[1].size(); ++i) byHeader[rows[0][i]] = rows[1][i];
    return byHeader;
}

Cells CopyRow(SurveyRecord r)
{
    NullSink sink;
    const CalculationOutcome outcome = CalculateOutcome(r, sink);
    // The batch tests with the default meter.
    return FirstRow(TabSeparatedResults(outcome, TestMisclosure(outcome, MeterPrecision{}), ""), '\t');
}

Cells BatchRow(const SurveyRecord& f)
{
    std::string csv = std::string(kBatchHeader) + "\n" + f.PointName;
    for (double v : {f.Xa, f.Ya, f.Xb, f.Yb, f.Xc, f.Yc, f.S1, f.S2, f.S3}) csv += "," + TableNumber(v);
    std::string out;
    std::ostringstream log;
    RunBatch(ReadFromString(csv + "\n"), [&out](std::string_view bytes) { out += bytes; }, log);
    return FirstRow(out, ',');
}

SurveyRecord Named(SurveyRecord r, const char* name)
{
    r.PointName = name;
    return r;
}

// The copy against the batch, cell for cell; the batch's `line` is its own.
// Returns the copy's row for the checks of each figure.
Cells ExpectSameRow(const SurveyRecord& figure)
{
    const Cells copy = CopyRow(figure), batch = BatchRow(figure);
    EXPECT_EQ(batch.size(), copy.size() - 9 + 1) << "the copy has the nine input values, the batch the line";
    for (const auto& [column, text] : batch) {
        if (column == "line") continue;
        const auto it = copy.find(column);
        EXPECT_TRUE(it != copy.end() && it->second == text)
            << figure.PointName << ", column " << column << ": batch \"" << text << "\", copy \""
            << (it != copy.end() ? it->second : "(none)") << "\"";
    }
    return copy;
}

TEST(CopyAndBatch, SameRowForACompleteFigure)
{
    const Cells row = ExpectSameRow(Named(testing::WorkedFigure(), "P1"));
    EXPECT_EQ(row.at("status"), "ok");
    EXPECT_EQ(row.at("m"), "100162.203125");
    EXPECT_EQ(row.at("message"), "");
}

TEST(CopyAndBatch, SameRowWhereverTheCalculationStops)
{
    using testing::Figure;
    // B on A: stops before anything is stored.
    Cells row = ExpectSameRow(Named(Figure(3000, 3000, 3000, 3000, 2450, 3550, 509.905, 412.308, 474.345), "BA"));
    EXPECT_EQ(row.at("step"), "adjustment.angBAP");
    EXPECT_EQ(row.at("w"), "");

    // P on the line AB: w is stored, then the coefficients fail.
    row = ExpectSameRow(Named(Figure(0, 0, 3, 4, 3, -4, 2, 7, std::sqrt(23.4)), "PonAB"));
    EXPECT_EQ(row.at("step"), "adjustment.coefficients");
    EXPECT_NE(row.at("w"), "");
    EXPECT_EQ(row.at("k"), "");

    // A and C swapped: w, k and ms are stored, the adjusted distances fail.
    row = ExpectSameRow(Named(Figure(2450, 3550, 3000, 3000, 2500, 2600, 474.345, 412.308, 509.905), "swapped"));
    EXPECT_EQ(row.at("step"), "adjustment.adjustedDistances");
    EXPECT_EQ(row.at("w"), "-602353.375");
    EXPECT_NE(row.at("ms"), "");
    EXPECT_EQ(row.at("s1"), "");
    EXPECT_EQ(row.at("message").find("平差："), std::string::npos) << "the step has its own column";

    // md comes out zero: everything up to md is stored, m is not.
    row = ExpectSameRow(Named(Figure(-20, -50, 0, 0, 100, 100, 30, std::hypot(50.0, 50.0), std::hypot(150.0, 150.0)),
                              "zero md"));
    EXPECT_EQ(row.at("step"), "precision.m");
    EXPECT_NE(row.at("xp1"), "");
    EXPECT_EQ(row.at("px"), "0");
    EXPECT_EQ(row.at("md"), "0");
    EXPECT_EQ(row.at("m"), "");
    EXPECT_EQ(row.at("E"), "") << "no ellipse after a stop";
}

}  // namespace
}  // namespace corvanet
