// corvanet-cli and the job's known points: a coordinate file imported into
// the job, and A, B and C taken by name in one figure and in a batch.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <QSqlQuery>
#include <QVariant>

#include <nlohmann/json.hpp>

#include "store/job_file.h"
#include "store/known_points.h"
#include "tests/cli/run_cli.h"
#include "text/point_file.h"  // ToGb18030

namespace corvanet {
namespace {

using testing::CliResult;
using testing::Figure;
using testing::ReadFile;
using testing::RunCli;
using testing::TestDir;
using testing::WriteFile;

// The worked figure's A, B and C as a DAT file: Y first.
const std::string kControl = "A1,,2600,2500,\r\nB1,GCP,3000,3000,12.5\r\nC1,,3550,2450,\r\n";

std::size_t Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

bool Exists(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

std::map<std::string, KnownPoint> JobPoints(const std::string& job)
{
    auto opened = JobFile::Open(QString::fromStdString(job), JobOptions{.create = false});
    if (auto* problem = std::get_if<JobProblem>(&opened)) {
        ADD_FAILURE() << problem->message.toStdString();
        return {};
    }
    auto all = AllKnownPoints(*std::get<std::unique_ptr<JobFile>>(opened));
    std::map<std::string, KnownPoint> points;
    for (const KnownPoint& p : std::get<std::vector<KnownPoint>>(all)) points[p.name.toStdString()] = p;
    return points;
}

// The a_name, b_name and c_name of the job's calculations, oldest first.
std::vector<std::string> PickedNames(const std::string& job)
{
    auto opened = JobFile::Open(QString::fromStdString(job), JobOptions{.create = false});
    std::vector<std::string> rows;
    std::get<std::unique_ptr<JobFile>>(opened)->ForEachRow(
        QStringLiteral("SELECT a_name, b_name, c_name FROM calculations ORDER BY id"), {}, [&](const QSqlQuery& q) {
            std::string row;
            for (int i = 0; i < 3; ++i) row += (i ? "," : "") + q.value(i).toString().toStdString();
            rows.push_back(row);
            return true;
        });
    return rows;
}

// A job holding the worked figure's A, B and C, made by the program itself.
std::string ControlJob()
{
    const std::string dir = TestDir();
    WriteFile(dir + "控制点.dat", ToGb18030(kControl));
    const CliResult r = RunCli("--job " + dir + "site.cvjob --import-points " + dir + "控制点.dat", "");
    EXPECT_EQ(r.status, 0) << r.err;
    return dir + "site.cvjob";
}

TEST(CliImport, ReportsEachSkippedRowAndExitsOneForThem)
{
    const std::string dir = TestDir(), job = dir + "site.cvjob", file = dir + "控制点.dat";
    WriteFile(file, ToGb18030("点名,编码,Y,X,H\r\n" + kControl + "水准1,,x,1,\r\nA1,,1,2,\r\n"));
    const CliResult r = RunCli("--job " + job + " --import-points " + file, "");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("第 5 行：Y 不是数值：“x”\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("第 6 行：点名“A1”与第 2 行重复\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("新加 3 个点，已有且相同 0 个，跳过 2 行\n"), std::string::npos) << r.err;
    const auto points = JobPoints(job);
    ASSERT_EQ(points.size(), 3u);
    const KnownPoint& b = points.at("B1");
    EXPECT_EQ(b.x, 3000);
    EXPECT_EQ(b.h, 12.5);
    EXPECT_EQ(b.code, QStringLiteral("GCP"));
    EXPECT_EQ(b.source.toStdString(), file) << "the file's name as given";
    EXPECT_EQ(points.at("A1").x, 2500) << "X is the fourth field of a DAT line";
    EXPECT_FALSE(points.at("A1").h);
}

TEST(CliImport, SecondImportChangesNothing)
{
    const std::string job = ControlJob(), file = TestDir() + "控制点.dat";
    const auto before = JobPoints(job);
    const CliResult r = RunCli("--job " + job + " --import-points " + file, "");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.err), 1u) << r.err;
    EXPECT_NE(r.err.find("新加 0 个点，已有且相同 3 个\n"), std::string::npos) << r.err;
    const auto after = JobPoints(job);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, p] : before) EXPECT_EQ(after.at(name).addedAt, p.addedAt) << name;
}

TEST(CliImport, ConflictsAreKeptUnlessReplacing)
{
    const std::string job = ControlJob(), file = TestDir() + "moved.csv";
    WriteFile(file, "点名,X,Y\nA1,2500.5,2600\nD1,1,2\n");
    CliResult r = RunCli("--job " + job + " --import-points " + file, "");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("点“A1”冲突：作业中为 X = 2500，Y = 2600，文件第 2 行为 X = 2500.5，Y = 2600"), std::string::npos)
        << r.err;
    EXPECT_EQ(JobPoints(job).at("A1").x, 2500) << "kept as it was";
    EXPECT_EQ(JobPoints(job).count("D1"), 1u) << "the other points go in";

    r = RunCli("--job " + job + " --import-points " + file + " --replace", "");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("点“A1”已替换：作业中原为 X = 2500，Y = 2600"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("替换 1 个"), std::string::npos) << r.err;
    EXPECT_EQ(JobPoints(job).at("A1").x, 2500.5);
}

TEST(CliImport, FileOrJobThatCannotBeUsedIsOneLine)
{
    const std::string dir = TestDir();
    WriteFile(dir + "notes.txt", "field notes\n");
    WriteFile(dir + "p.dat", kControl);
    for (const std::string& args : {dir + "missing.dat --job " + dir + "j.cvjob", dir + " --job " + dir + "j.cvjob",
                                    dir + "p.dat", dir + "p.dat --job " + dir + "notes.txt"}) {
        const CliResult r = RunCli("--import-points " + args, "");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(Lines(r.err), 1u) << args << ": " << r.err;
    }
    EXPECT_FALSE(Exists(dir + "j.cvjob")) << "no job made for a file that cannot be read";
    EXPECT_EQ(ReadFile(dir + "notes.txt"), "field notes\n");
}

TEST(CliKnownPoints, NamesGiveTheSameRecordAsTheirCoordinates)
{
    const std::string job = ControlJob();
    const CliResult numbers = RunCli("--json", Figure("P1"));
    ASSERT_EQ(numbers.status, 0) << numbers.err;
    // An empty or blank Y is the point's; a Y typed equal to it too.
    const CliResult names =
        RunCli("--json --job " + job, "A1\n\n B1 \n \nC1\n3550\nP1\n509.905\n412.308\n474.345\n");
    ASSERT_EQ(names.status, 0) << names.err;
    EXPECT_EQ(nlohmann::json::parse(names.out)["record"], nlohmann::json::parse(numbers.out)["record"]);
    // A Y typed that differs wins, and the corner is no longer the point.
    const CliResult moved = RunCli("--json --job " + job, "A1\n2600.5\nB1\n\nC1\n\nP1\n509.905\n412.308\n474.345\n");
    ASSERT_EQ(moved.status, 0) << moved.err;
    EXPECT_EQ(nlohmann::json::parse(moved.out)["record"]["Ya"], 2600.5);
    EXPECT_EQ(PickedNames(job), (std::vector<std::string>{"A1,B1,C1", ",B1,C1"}));
}

TEST(CliKnownPoints, UnknownNameIsAnUnreadableValueWithAHint)
{
    const std::string job = ControlJob();
    const std::string input = "K9\n\nB1\n\nC1\n\nP1\n509.905\n412.308\n474.345\n";
    CliResult r = RunCli("--job " + job, input);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "第 1 行：Xa 不是一个数值：\"K9\"，作业中也没有名为“K9”的已知点\n");
    r = RunCli("", input);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "第 1 行：Xa 不是一个数值：\"K9\"\n") << "without a job a name is just not a number";
    EXPECT_TRUE(PickedNames(job).empty());
    // Input that cannot be used makes no job, as before names.
    const std::string fresh = TestDir() + "fresh.cvjob";
    EXPECT_EQ(RunCli("--job " + fresh, Figure("P", "x")).status, 2);
    EXPECT_EQ(RunCli("--job " + fresh, input).status, 2);
    EXPECT_FALSE(Exists(fresh));
}

TEST(CliKnownPoints, NamedBatchGivesTheRowsOfTheNumberedOne)
{
    const std::string job = ControlJob(), dir = TestDir();
    // A point name that reads as a number is still a name in A, B or C.
    WriteFile(dir + "more.csv", "101,3000,3000\n");
    ASSERT_EQ(RunCli("--job " + job + " --import-points " + dir + "more.csv", "").status, 0);
    const std::string row = ",509.905,412.308,474.345\n";
    WriteFile(dir + "named.csv", "name,A,B,C,S1,S2,S3\nP1,A1,B1,C1" + row + "P2,A1,101,C1" + row + "P3,A1,K9,C1" + row);
    WriteFile(dir + "numbered.csv", "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3\nP1,2500,2600,3000,3000,2450,3550" + row +
                                        "P2,2500,2600,3000,3000,2450,3550" + row);
    const CliResult named = RunCli("--batch " + dir + "named.csv --job " + job, "");
    const CliResult numbered = RunCli("--batch " + dir + "numbered.csv", "");
    EXPECT_EQ(named.status, 1);
    ASSERT_EQ(numbered.status, 0) << numbered.err;
    const std::string expected = numbered.out;
    ASSERT_GE(named.out.size(), expected.size());
    EXPECT_EQ(named.out.substr(0, expected.size()), expected);
    EXPECT_EQ(named.out.substr(expected.size()).rfind("4,P3,malformed,", 0), 0u) << named.out;
    EXPECT_NE(named.err.find("第 4 行无法读取：作业中没有名为“K9”的已知点（B 列）\n"), std::string::npos) << named.err;
    EXPECT_EQ(PickedNames(job), (std::vector<std::string>{"A1,B1,C1", "A1,101,C1"}));

    const CliResult noJob = RunCli("--batch " + dir + "named.csv", "");
    EXPECT_EQ(noJob.status, 2);
    EXPECT_EQ(Lines(noJob.err), 1u) << noJob.err;
    EXPECT_EQ(noJob.out, "");
}

}  // namespace
}  // namespace corvanet
