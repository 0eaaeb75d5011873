// corvanet-cli with a job: what it keeps, read back from the real file;
// jobs it must not touch; points exported from it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "store/job_file.h"
#include "tests/cli/run_cli.h"
#include "tests/text/gb18030_bytes.h"

namespace corvanet {
namespace {

using testing::CliResult;
using testing::Figure;
using testing::ReadFile;
using testing::RunCli;
using testing::TestDir;

const std::string kCli = CORVANET_CLI;
const std::string kHeader = "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3\n";

std::string BatchRow(const std::string& name, const std::string& S1 = "509.905")
{
    return name + ",2500,2600,3000,3000,2450,3550," + S1 + ",412.308,474.345\n";
}

using Row = std::map<std::string, QVariant>;

// Every row of the job, oldest first, read as the program reads it.
std::vector<Row> JobRows(const std::string& path)
{
    auto opened = JobFile::Open(QString::fromStdString(path), JobOptions{.create = false});
    if (auto* problem = std::get_if<JobProblem>(&opened)) {
        ADD_FAILURE() << problem->message.toStdString();
        return {};
    }
    std::vector<Row> rows;
    const auto columns = CalculationColumns();
    const auto problem = std::get<std::unique_ptr<JobFile>>(opened)->ForEachRow(
        QStringLiteral("SELECT * FROM calculations ORDER BY id"), {}, [&](const QSqlQuery& q) {
            Row row;
            for (std::size_t i = 0; i < columns.size(); ++i) row[columns[i].name] = q.value(static_cast<int>(i + 1));
            rows.push_back(row);
            return true;
        });
    EXPECT_FALSE(problem) << problem->message.toStdString();
    return rows;
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

std::size_t Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

// Runs `script` with sh, standard output and error together.
CliResult RunScript(const std::string& script)
{
    const std::string base = TestDir() + "script";
    testing::WriteFile(base + ".sh", script);
    const int raw = std::system(("sh " + base + ".sh > " + base + ".out 2>&1").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(base + ".out"), {}};
}

// Each number the job keeps is the double --json shows, bit for bit.
TEST(CliJob, AFigureIsKeptBitForBitAsJsonShowsIt)
{
    const std::string job = TestDir() + "day.cvjob";
    struct Case {
        std::string input, options, measured;
    } cases[] = {{Figure("测点1"), "", "509.905"}, {Figure("P2", "510.005"), "--precision 1,1.5", "510.005"}};
    std::vector<nlohmann::json> shown;
    for (const Case& c : cases) {
        const CliResult r = RunCli("--json --job " + job + " " + c.options, c.input);
        ASSERT_EQ(r.status, 0) << r.err;
        shown.push_back(nlohmann::json::parse(r.out));
    }
    const std::vector<Row> rows = JobRows(job);
    ASSERT_EQ(rows.size(), 2u);
    // The job's column and where --json shows the same figure.
    const std::pair<const char*, const char*> same[] = {
        {"xa", "/record/Xa"}, {"ya", "/record/Ya"}, {"xb", "/record/Xb"}, {"yb", "/record/Yb"},
        {"xc", "/record/Xc"}, {"yc", "/record/Yc"}, {"w", "/record/w"}, {"k", "/record/k"},
        {"ms", "/record/ms"}, {"s1_adjusted", "/record/S1"}, {"s2_adjusted", "/record/S2"},
        {"s3_adjusted", "/record/S3"}, {"xp1", "/record/xp1"}, {"yp1", "/record/yp1"}, {"xp2", "/record/xp2"},
        {"yp2", "/record/yp2"}, {"xp3", "/record/xp3"}, {"yp3", "/record/yp3"}, {"px", "/record/px"},
        {"py", "/record/py"}, {"mx", "/record/mx"}, {"my", "/record/my"}, {"md", "/record/md"},
        {"m", "/record/m"}, {"qxy", "/ellipse/Qxy"}, {"e", "/ellipse/E"}, {"f", "/ellipse/F"},
        {"phi_e", "/ellipse/phiE"}, {"w_adjusted", "/checks/wAdjusted"}, {"route_spread", "/checks/routeSpread"},
        {"a_mm", "/tolerance/a"}, {"b_ppm", "/tolerance/b"}, {"mw", "/tolerance/mw"}, {"limit_w", "/tolerance/limit"},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const Row& row = rows[i];
        for (const auto& [column, pointer] : same) {
            const auto& value = shown[i].at(nlohmann::json::json_pointer(pointer));
            ASSERT_FALSE(row.at(column).isNull()) << column;
            EXPECT_EQ(Bits(row.at(column).toDouble()), Bits(value.get<double>())) << column;
        }
        EXPECT_EQ(Bits(row.at("s1_measured").toDouble()), Bits(std::strtod(cases[i].measured.c_str(), nullptr)));
        EXPECT_EQ(row.at("point_name").toString().toStdString(), shown[i]["record"]["PointName"].get<std::string>());
        EXPECT_EQ(row.at("outcome").toString(), QStringLiteral("complete"));
        EXPECT_EQ(row.at("verdict").toString(),
                  shown[i]["tolerance"]["exceeded"].get<bool>() ? QStringLiteral("exceeded") : QStringLiteral("pass"));
    }
    EXPECT_EQ(rows[1].at("verdict").toString(), QStringLiteral("exceeded")) << "the blunder, against 1 mm + 1.5 ppm";
}

// A stopped calculation is kept; a row that could not be read is none.
TEST(CliJob, ABatchKeepsEveryCalculationAndNoUnreadableRow)
{
    const std::string dir = TestDir(), job = dir + "day.cvjob";
    testing::WriteFile(dir + "in.csv", kHeader + BatchRow("B1") + BatchRow("B2", "1") + "B3,1,2\n" + BatchRow("B4"));
    const CliResult r = RunCli("--batch " + dir + "in.csv --job " + job, "");
    EXPECT_EQ(r.status, 1) << "a stopped and an unreadable row, as without a job: " << r.err;
    EXPECT_EQ(Lines(r.out), 5u) << "the results as without a job";
    const std::vector<Row> rows = JobRows(job);
    ASSERT_EQ(rows.size(), 3u);
    const char* names[] = {"B1", "B2", "B4"};
    const char* outcomes[] = {"complete", "stopped", "complete"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].at("point_name").toString().toStdString(), names[i]);
        EXPECT_EQ(rows[i].at("outcome").toString().toStdString(), outcomes[i]);
        EXPECT_EQ(rows[i].at("a_mm").toDouble(), 2.0) << "the default meter";
    }
}

// Two batches into one job at once: each waits for the other's
// transaction, and all of both is there.
TEST(CliJob, TwoBatchesAtOnceBothLandWhole)
{
    const std::string dir = TestDir(), job = dir + "shared.cvjob";
    ASSERT_EQ(RunCli("--job " + job, Figure("first")).status, 0);
    std::string a = kHeader, b = kHeader;
    for (int i = 0; i < 200; ++i) a += BatchRow("A" + std::to_string(i)), b += BatchRow("B" + std::to_string(i));
    testing::WriteFile(dir + "a.csv", a);
    testing::WriteFile(dir + "b.csv", b);
    const CliResult r = RunScript(kCli + " --batch " + dir + "a.csv --job " + job + " > /dev/null 2> " + dir + "a.err &\n" +
                                  kCli + " --batch " + dir + "b.csv --job " + job + " > /dev/null 2> " + dir + "b.err &\n"
                                  "wait %1; s1=$?; wait %2; echo $s1 $?\n");
    EXPECT_EQ(r.out, "0 0\n") << ReadFile(dir + "a.err") << ReadFile(dir + "b.err");
    const std::vector<Row> rows = JobRows(job);
    ASSERT_EQ(rows.size(), 401u);
    for (const char* side : {"A", "B"}) {
        // Each batch is one transaction: its rows are together and in order.
        const auto first = std::find_if(rows.begin(), rows.end(), [&](const Row& row) {
            return row.at("point_name").toString().startsWith(QLatin1String(side));
        });
        ASSERT_LE(first + 200, rows.end());
        for (int i = 0; i < 200; ++i)
            EXPECT_EQ(first[i].at("point_name").toString().toStdString(), side + std::to_string(i));
    }
}

// A job in a folder that cannot be written, and one on a full disk, in a
// mount namespace of the test's own: exit 2, one line, and the job as it
// was (the one on the full disk still reads, nothing of the batch in it).
TEST(CliJob, AJobThatCannotBeWrittenIsToldAndLeftAsItWas)
{
    if (std::system("unshare -rm true > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "no mount namespace here (unshare -rm refused), so no read-only folder or small disk";
    const std::string dir = TestDir(), disk = dir + "disk", ro = dir + "ro";
    ASSERT_EQ(mkdir(disk.c_str(), 0700), 0);
    ASSERT_EQ(mkdir(ro.c_str(), 0700), 0);
    ASSERT_EQ(RunCli("--job " + ro + "/day.cvjob", Figure("first")).status, 0);
    std::string big = kHeader;
    for (int i = 0; i < 3000; ++i) big += BatchRow("P" + std::to_string(i));
    testing::WriteFile(dir + "big.csv", big);
    testing::WriteFile(dir + "small.csv", kHeader + BatchRow("P"));
    testing::WriteFile(dir + "figure.in", Figure("first"));
    const CliResult r = RunScript(
        "unshare -rm sh -c '"
        "mount --bind " + ro + " " + ro + " && mount -o remount,bind,ro " + ro + " || exit 99\n"
        "mount -t tmpfs -o size=128k tmpfs " + disk + " || exit 99\n"
        "cd " + dir + "\n"
        "sum() { cat \"$@\" | md5sum; }\n"
        "before=$(sum ro/day.cvjob)\n" +
        kCli + " --batch small.csv --job ro/day.cvjob > ro.out 2> ro.err; echo ro=$?\n"
        "test \"$before\" = \"$(sum ro/day.cvjob)\" && echo ro-same\n"
        "ls -A ro\n" +
        kCli + " --job disk/day.cvjob > /dev/null < figure.in || exit 98\n"
        "before=$(sum disk/day.cvjob)\n" +
        kCli + " --batch big.csv --job disk/day.cvjob > full.out 2> full.err; echo full=$?\n" +
        kCli + " --export-points points.csv --job disk/day.cvjob 2> /dev/null\n"
        "wc -l < points.csv\n'");
    if (r.status == 99) GTEST_SKIP() << "no read-only bind mount or tmpfs here: " << r.out;
    EXPECT_NE(r.status, 98) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find("full=")), "ro=2\nro-same\nday.cvjob\n") << r.out;
    EXPECT_NE(r.out.find("full=2\n2\n"), std::string::npos) << "the job still reads, with its one point: " << r.out;
    for (const char* err : {"ro.err", "full.err"}) {
        const std::string text = ReadFile(dir + err);
        EXPECT_EQ(Lines(text), 1u) << err << ": " << text;
        EXPECT_NE(text.find("day.cvjob"), std::string::npos) << err << ": " << text;
    }
    EXPECT_EQ(Lines(ReadFile(dir + "full.out")), 3001u) << "the batch's output stays";
}

// Files that are not this program's jobs are refused whatever asks, and
// not changed by a byte.
TEST(CliJob, WhatIsNotAJobIsRefusedAndLeftAsItWas)
{
    const std::string dir = TestDir(), text = dir + "notes.txt", newer = dir + "newer.cvjob";
    testing::WriteFile(text, "field notes\n");
    ASSERT_EQ(RunCli("--job " + newer, Figure("P")).status, 0);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
        db.setDatabaseName(QString::fromStdString(newer));
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 99"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));
    testing::WriteFile(dir + "in.csv", kHeader + BatchRow("B"));
    for (const std::string& path : {text, newer}) {
        const std::string before = ReadFile(path);
        for (const std::string& how : {std::string("--json"), "--batch " + dir + "in.csv", std::string("--export-points ") + dir + "p.csv"}) {
            const CliResult r = RunCli(how + " --job " + path, Figure("P"));
            EXPECT_EQ(r.status, 2) << path << " " << how;
            EXPECT_EQ(Lines(r.err), 1u) << r.err;
            EXPECT_TRUE(r.out.empty()) << "nothing calculated for a job it cannot keep: " << r.out;
            EXPECT_EQ(ReadFile(path), before) << path << " " << how;
        }
    }
    struct stat st {};
    EXPECT_NE(stat((dir + "p.csv").c_str(), &st), 0) << "no point file";
}

using testing::FromGb18030;

TEST(CliExport, PointsReadBackFromDatAndCsv)
{
    const std::string dir = TestDir(), job = dir + "day.cvjob";
    ASSERT_EQ(RunCli("--job " + job, Figure("测点1")).status, 0);
    ASSERT_EQ(RunCli("--job " + job, Figure("P2", "1")).status, 1) << "stopped: no point";
    const std::vector<Row> rows = JobRows(job);
    ASSERT_EQ(rows.size(), 2u);
    const double x = rows[0].at("xp1").toDouble(), y = rows[0].at("yp1").toDouble();  // A's route, the longest side

    CliResult r = RunCli("--export-points " + dir + "p.DAT --job " + job, "");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string dat = FromGb18030(ReadFile(dir + "p.DAT"));
    ASSERT_EQ(Lines(dat), 1u) << dat;
    char name[64] = {};
    double datY = 0, datX = 0;
    ASSERT_EQ(std::sscanf(dat.c_str(), "%63[^,],,%lf,%lf,\r\n", name, &datY, &datX), 3) << dat;
    EXPECT_EQ(std::string(name), "测点1");
    EXPECT_NEAR(datY, y, 0.00005) << "Y first: " << dat;
    EXPECT_NEAR(datX, x, 0.00005) << dat;
    EXPECT_EQ(dat.substr(dat.find(',', 0) + 2), "3100.0003,2600.0039,\r\n");

    r = RunCli("--export-points " + dir + "p.dat --encoding utf-8 --job " + job, "");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir + "p.dat"), dat);

    r = RunCli("--export-points " + dir + "p.csv --job " + job, "");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = ReadFile(dir + "p.csv");
    const std::string line = csv.substr(csv.find('\n') + 1);
    double cx = 0, cy = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "测点1,%lf,%lf,", &cx, &cy), 2) << csv;
    EXPECT_EQ(Bits(cx), Bits(x));
    EXPECT_EQ(Bits(cy), Bits(y));
}

TEST(CliExport, NeedsAJobThatIsThereAndAFormatItKnows)
{
    const std::string dir = TestDir();
    for (const std::string& args :
         {"--export-points " + dir + "p.csv", "--export-points " + dir + "p.txt --job " + dir + "j",
          "--export-points " + dir + "p.csv --encoding utf-8 --job " + dir + "j",
          "--export-points " + dir + "p.dat --encoding latin1 --job " + dir + "j",
          "--export-points " + dir + "p.dat --job " + dir + "missing.cvjob"}) {
        const CliResult r = RunCli(args, "");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(Lines(r.err), 1u) << args << ": " << r.err;
    }
    EXPECT_EQ(std::system(("test -z \"$(ls -A " + dir + " | grep -v '^run')\"").c_str()), 0)
        << "no job made and no point file written";
}

}  // namespace
}  // namespace corvanet
