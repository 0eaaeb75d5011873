// Many figures in one CSV: each row stands on its own.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "cli/batch.h"
#include "text/csv_rows.h"

namespace corvanet {
namespace {

struct BatchRun {
    BatchSummary summary;
    std::vector<std::string> rows;
    std::string log;
};

BatchRun RunCsv(const std::string& csv)
{
    std::string out;
    std::ostringstream log;
    BatchRun run;
    run.summary = RunBatch(ReadFromString(csv), [&out](std::string_view bytes) { out += bytes; }, log);
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) run.rows.push_back(line);
    run.log = log.str();
    return run;
}

std::size_t Columns(const std::string& row)
{
    std::size_t n = 1;
    bool quoted = false;
    for (char c : row) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) ++n;
    }
    return n;
}

const std::string kWorked = "P1,2500,2600,3000,3000,2450,3550,509.905,412.308,474.345\n";

TEST(Batch, OneRowOfResultsPerFigure)
{
    const BatchRun run = RunCsv(std::string(kBatchHeader) + "\n" + kWorked + kWorked);
    EXPECT_EQ(run.summary.rows, 2);
    EXPECT_EQ(run.summary.complete, 2);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[0].substr(0, 21), "line,name,status,w,k,");
    EXPECT_EQ(run.rows[1].rfind("2,P1,ok,-2.759147882461548,", 0), 0u) << run.rows[1];
    EXPECT_NE(run.rows[1].find(",2600.0039265632645,"), std::string::npos);
    EXPECT_NE(run.rows[1].find(",100162.203125,"), std::string::npos);
    EXPECT_EQ(run.rows[2].rfind("3,P1,ok,", 0), 0u);
    for (const std::string& row : run.rows) EXPECT_EQ(Columns(row), 32u) << row;
    // The ellipse and the checks close the row.
    EXPECT_EQ(run.rows[0].substr(run.rows[0].size() - 64), "step,message,Qxy,E,F,phiE,wAdjusted,routeSpread,mw,limit,verdict");
    EXPECT_NE(run.rows[1].find(",,,0.17537397158569737,3.396565997979946,2.3255137179297787,19.605298082980198,"),
              std::string::npos)
        << run.rows[1];
}

TEST(Batch, FailedAndMalformedRowsDoNotStopTheOthers)
{
    const std::string csv = std::string(kBatchHeader) + "\r\n" +
                            "BA,3000,3000,3000,3000,2450,3550,509.905,412.308,474.345\r\n" +  // B on A
                            "bad,1,2,3\r\n" +                                                 // too few columns
                            "\"P, quoted\",2500,2600,3000,3000,2450,3550,509.905,412.308,474.345\r\n" +
                            "nan,2500,2600,3000,3000,2450,nan,509.905,412.308,474.345\r\n";
    const BatchRun run = RunCsv(csv);
    EXPECT_EQ(run.summary.rows, 4);
    EXPECT_EQ(run.summary.complete, 1);
    EXPECT_EQ(run.summary.failed, 1);
    EXPECT_EQ(run.summary.malformed, 2);
    ASSERT_EQ(run.rows.size(), 5u);
    EXPECT_NE(run.rows[1].find(",failed,"), std::string::npos);
    EXPECT_NE(run.rows[1].find("adjustment.angBAP"), std::string::npos);
    EXPECT_NE(run.rows[2].find("3,bad,malformed,"), std::string::npos) << "the name is kept";
    EXPECT_EQ(run.rows[3].rfind("4,\"P, quoted\",ok,", 0), 0u);
    EXPECT_NE(run.rows[4].find("5,nan,malformed,"), std::string::npos);
    EXPECT_NE(run.log.find("第 3 行"), std::string::npos);
    EXPECT_NE(run.log.find("第 5 行"), std::string::npos);
    for (const std::string& row : run.rows) EXPECT_EQ(Columns(row), 32u) << row;
    EXPECT_EQ(run.rows[1].substr(run.rows[1].size() - 6), ",,,,,,") << "no ellipse where the figure stopped";
}

TEST(Batch, OverlongRowsAndOpenQuotesEndTheirRowOnly)
{
    // A row past the limit is cut there, in bounded memory; reading resumes
    // on the next line.
    const std::string csv = std::string(kBatchHeader) + "\n" + "long," + std::string(kMaxBatchRow, '7') + "\n" +
                            kWorked + "\"open," + kWorked;
    const BatchRun run = RunCsv(csv);
    EXPECT_EQ(run.summary.complete, 1);
    EXPECT_EQ(run.summary.malformed, 2);
    ASSERT_EQ(run.rows.size(), 5u);  // the open quote's row holds a line break
    EXPECT_EQ(run.rows[1].rfind("2,long,malformed,", 0), 0u);
    EXPECT_NE(run.rows[1].find("1 MiB"), std::string::npos);
    EXPECT_EQ(run.rows[2].rfind("3,P1,ok,", 0), 0u);
    EXPECT_EQ(run.rows[3].rfind("4,\"open,P1,", 0), 0u) << "the field as far as it was read";
    EXPECT_NE(run.rows[4].find("引号"), std::string::npos);
}

// Each row's first line and first field, however the input is cut into reads.
std::vector<std::pair<long, std::string>> RowLines(std::string_view csv, std::size_t cut)
{
    std::vector<std::pair<long, std::string>> rows;
    CsvRowReader reader(1, 1024, [&rows](const CsvRow& row) {
        rows.emplace_back(row.line, row.fieldCount > 0 ? std::string(row.fields[0]) : std::string());
    });
    reader.Feed(csv.substr(0, cut));
    reader.Feed(csv.substr(cut));
    reader.Finish();
    return rows;
}

TEST(Batch, LinesEndAtLfCrlfOrALoneCr)
{
    // CR alone (old Mac files), CRLF, LF, and a quoted CR inside a field.
    const std::string csv = "h\rP1,1\r\nP2,2\n\"two\rlines\",3\rP4,4\r";
    const std::vector<std::pair<long, std::string>> expected = {
        {1, "h"}, {2, "P1"}, {3, "P2"}, {4, "two\rlines"}, {6, "P4"}};
    for (std::size_t cut = 0; cut <= csv.size(); ++cut) EXPECT_EQ(RowLines(csv, cut), expected) << "cut at " << cut;
}

TEST(Batch, WrongHeaderReadsNothing)
{
    const BatchRun run = RunCsv("Xa,Ya\n" + kWorked);
    EXPECT_FALSE(run.summary.headerOk);
    EXPECT_TRUE(run.rows.empty());
    EXPECT_NE(run.log.find("表头"), std::string::npos);
}

TEST(Batch, LargeFilesReportProgress)
{
    std::string csv = std::string(kBatchHeader) + "\n";
    for (int i = 0; i < 10001; ++i) csv += kWorked;
    const BatchRun run = RunCsv(csv);
    EXPECT_EQ(run.summary.complete, 10001);
    EXPECT_NE(run.log.find("已处理 10000 行"), std::string::npos);
    EXPECT_EQ(RunCsv(std::string(kBatchHeader) + "\n" + kWorked).log, "");
}

TEST(Batch, LineNumbersAreWrittenInPlainDigits)
{
    // Blank lines are skipped but counted: the figure is on line 100 000,
    // the row after it, which cannot be read, on line 1 000 000.
    const std::string csv = std::string(kBatchHeader) + "\n" + std::string(99'998, '\n') + kWorked +
                            std::string(899'999, '\n') + "bad,1,2\n";
    const BatchRun run = RunCsv(csv);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[1].rfind("100000,P1,ok,", 0), 0u) << run.rows[1].substr(0, 20);
    EXPECT_EQ(run.rows[2].rfind("1000000,bad,malformed,", 0), 0u) << run.rows[2].substr(0, 20);
    EXPECT_EQ(run.log.rfind("第 1000000 行无法读取：", 0), 0u) << run.log;
    EXPECT_EQ(LineNumberText(1'234'567'890'123L), "1234567890123");
}

}  // namespace
}  // namespace corvanet
