// corvanet-cli --batch as a user runs it: files from spreadsheets and older
// software in, CSV out as a stream.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/batch.h"
#include "text/csv_rows.h"
#include "tests/cli/run_cli.h"

namespace corvanet {
namespace {

using testing::CliResult;
using testing::RunCli;

using Rows = std::vector<std::vector<std::string>>;

Rows ParseCsv(const std::string& csv)
{
    Rows rows;
    CsvRowReader reader(64, std::size_t(1) << 20, [&rows](const CsvRow& row) {
        rows.emplace_back(row.fields, row.fields + row.fieldCount);
    });
    reader.Feed(csv);
    reader.Finish();
    return rows;
}

// Runs the batch on `csv` given as a file.
CliResult RunBatchFile(const std::string& csv, const std::string& more = "")
{
    const std::string path = testing::TestDir() + "figures.csv";
    testing::WriteFile(path, csv);
    return RunCli("--batch " + path + " " + more, "");
}

const std::string kHeader = std::string(kBatchHeader) + "\r\n";
const std::string kFigure = ",2500,2600,3000,3000,2450,3550,509.905,412.308,474.345\r\n";

TEST(CliBatch, QuotedLineBreakIsOneRowUnderItsName)
{
    const CliResult r = RunBatchFile(kHeader + "\"P\r\n1, \"\"x\"\"\"" + kFigure + "P2" + kFigure);
    EXPECT_EQ(r.status, 0) << r.err;
    const Rows rows = ParseCsv(r.out);
    ASSERT_EQ(rows.size(), 3u) << r.out;
    EXPECT_EQ(rows[1][0], "2");
    EXPECT_EQ(rows[1][1], "P\r\n1, \"x\"");
    EXPECT_EQ(rows[1][2], "ok");
    EXPECT_EQ(rows[2][0], "4") << "the line the row begins on";
    EXPECT_EQ(rows[2][1], "P2");
}

TEST(CliBatch, Gb18030FileComesOutInUtf8)
{
    // As a spreadsheet on Chinese Windows saves it: GBK, CRLF. The second
    // name's bytes happen to be valid UTF-8 (U+0123) too.
    const std::string csv = kHeader + "\xB5\xE3\xC3\xFB" + kFigure + "\xC4\xA3" + kFigure + "\x81\x30\x81\x30" +
                            kFigure + "\xFF" + kFigure;
    const CliResult r = RunBatchFile(csv, "--bom");
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.rfind("\xEF\xBB\xBFline,name,", 0), 0u) << "--bom";
    const Rows rows = ParseCsv(r.out.substr(3));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1][1], "点名");
    EXPECT_EQ(rows[2][1], "模");
    EXPECT_EQ(rows[3][1], "\xC2\x80") << "a four-byte GB18030 sequence";
    EXPECT_EQ(rows[4][1], "\xEF\xBF\xBD") << "what neither decodes";
    EXPECT_EQ(RunBatchFile(csv).out.rfind("line,name,", 0), 0u) << "no byte-order mark unless asked";
}

TEST(CliBatch, FormulaLikeTextIsNeutralisedNumbersAreNot)
{
    const std::string csv = kHeader + "=1+2" + kFigure + "+A" + kFigure + "-B" + kFigure + "@SUM(A1)" + kFigure +
                            "\"\tT\"" + kFigure + "\"\rR\"" + kFigure + "a=b" + kFigure + "=bad,1,2\r\n";
    const CliResult r = RunBatchFile(csv);
    const Rows rows = ParseCsv(r.out);
    ASSERT_EQ(rows.size(), 9u) << r.out;
    const char* shown[] = {"'=1+2", "'+A", "'-B", "'@SUM(A1)", "'\tT", "'\rR", "a=b", "'=bad"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(rows[i + 1][1], shown[i]);
    EXPECT_EQ(rows[1][3], "-2.759147882461548") << "a negative number stays a number";
    EXPECT_EQ(rows[8][2], "malformed");
}

TEST(CliBatch, OverflowingDistanceFailsTheRow)
{
    const CliResult r = RunBatchFile(kHeader + "P,2500,2600,3000,3000,2450,3550,509.905,-1e39,474.345\r\n");
    EXPECT_EQ(r.status, 1);
    const Rows rows = ParseCsv(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][2], "failed");
    EXPECT_EQ(rows[1][21], "entry.S2obs");
    for (int column = 3; column <= 20; ++column) EXPECT_EQ(rows[1][column], "") << column;
}

// Figures around the worked one, some of which fail (A and C swapped, B on
// A, a distance too short); each row of the batch must hold the very doubles
// --json gives for the same figure.
TEST(CliBatch, RowsEqualJsonBitForBit)
{
    std::string csv = kHeader;
    std::vector<std::string> singles;
    for (int i = 0; i < 24; ++i) {
        const double d = (i * 37 % 23 - 11) * 0.0007;
        std::string fields[10] = {"2500", "2600", "3000", "3000", "2450", "3550", "P" + std::to_string(i),
                                  std::to_string(509.905 + d), std::to_string(412.308 - 2 * d),
                                  std::to_string(474.345 + 3 * d)};
        if (i % 6 == 1) std::swap(fields[0], fields[4]), std::swap(fields[1], fields[5]);
        if (i % 6 == 3) fields[0] = "3000", fields[1] = "3000";
        if (i % 6 == 5) fields[7] = "10";
        std::string single;
        for (const std::string& f : fields) single += f + "\n";
        singles.push_back(single);
        csv += fields[6];
        for (int k : {0, 1, 2, 3, 4, 5, 7, 8, 9}) csv += "," + fields[k];
        csv += "\n";
    }
    const Rows rows = ParseCsv(RunBatchFile(csv).out);
    ASSERT_EQ(rows.size(), singles.size() + 1);
    const std::vector<std::string>& header = rows[0];
    const std::map<std::string, std::string> jsonName = {{"s1", "S1"}, {"s2", "S2"}, {"s3", "S3"}};
    int failed = 0;
    for (std::size_t i = 0; i < singles.size(); ++i) {
        const CliResult single = RunCli("--json", singles[i]);
        const auto j = nlohmann::json::parse(single.out);
        const std::vector<std::string>& row = rows[i + 1];
        EXPECT_EQ(row[2], j["error"].is_null() ? "ok" : "failed") << i;
        failed += row[2] == "failed";
        if (!j["error"].is_null()) {
            EXPECT_EQ(row[21], j["error"]["step"]) << i;
        }
        for (std::size_t c = 3; c <= 20; ++c) {
            if (row[c].empty()) continue;  // not stored before the failure
            const auto it = jsonName.find(header[c]);
            const double json = j["record"][it == jsonName.end() ? header[c] : it->second].get<double>();
            const double csvValue = std::stod(row[c]);
            EXPECT_EQ(std::memcmp(&json, &csvValue, sizeof json), 0) << i << " " << header[c] << " " << row[c];
        }
        EXPECT_EQ(row[3].empty(), j["record"]["w"].get<double>() == 0.0 && !j["error"].is_null()) << i;
    }
    EXPECT_EQ(failed, 12);
}

TEST(CliBatch, PipeSeesResultsBeforeItsWriterCloses)
{
    int in[2], out[2];
    ASSERT_EQ(pipe(in), 0);
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(CORVANET_CLI), const_cast<char*>("--batch"), const_cast<char*>("-"), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, CORVANET_CLI, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);

    const std::string first = kHeader + "P1" + kFigure;
    ASSERT_EQ(write(in[1], first.data(), first.size()), static_cast<ssize_t>(first.size()));
    std::string received;
    pollfd readable{out[0], POLLIN, 0};
    while (received.find("\n2,P1,ok,") == std::string::npos && poll(&readable, 1, 20000) == 1) {
        char buf[4096];
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n <= 0) break;
        received.append(buf, static_cast<std::size_t>(n));
    }
    EXPECT_NE(received.find("\n2,P1,ok,"), std::string::npos) << "the row came while the writer still had the pipe open";

    close(in[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    close(out[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace corvanet
