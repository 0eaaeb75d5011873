// corvanet-cli as a user runs it: standard input in, JSON or text out, and
// the exit status.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <cstdlib>
#include <unistd.h>
#include <iterator>

#include <nlohmann/json.hpp>

namespace {

struct Result {
    int status = -1;
    std::string out;
};

// A folder of its own under the test's temporary folder, removed with what
// it holds when it goes: CTest runs the cases as processes side by side.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern = ::testing::TempDir() + "corvanet-cli-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "cannot make a folder like " << pattern;
        path_ = pattern;
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string File(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

Result RunCli(const std::string& args, const std::string& input)
{
    const ScratchDir dir;
    const std::string inputPath = dir.File("input.txt");
    std::ofstream(inputPath, std::ios::binary) << input;
    const std::string command = std::string(CORVANET_CLI) + " " + args + " < " + inputPath + " 2>/dev/null";
    Result r;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buf{};
    for (std::size_t n; (n = fread(buf.data(), 1, buf.size(), pipe)) > 0;) r.out.append(buf.data(), n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

const std::string kWorked = "2500\n2600\n3000\n3000\n2450\n3550\nP1\n509.905\n412.308\n474.345\n";

TEST(CliJson, WorkedFigure)
{
    const Result r = RunCli("--json", kWorked);
    ASSERT_EQ(r.status, 0);
    const auto j = nlohmann::json::parse(r.out);
    const auto& rec = j["record"];
    EXPECT_EQ(rec["PointName"], "P1");
    EXPECT_EQ(rec["w"].get<double>(), -2.759147882461548);
    EXPECT_EQ(rec["m"].get<double>(), 100162.203125);
    EXPECT_EQ(rec["ms"].get<double>(), 3.3235526084899902);
    EXPECT_EQ(rec["S1obs"].get<double>(), static_cast<double>(509.905f));
    EXPECT_NEAR(rec["xp1"].get<double>(), 2600.0039265632645, 1e-9);
    EXPECT_EQ(rec.size(), 28u);
    EXPECT_TRUE(j["error"].is_null());
    const auto& t = j["texts"];
    EXPECT_EQ(t["Text1"], " 2500.000");
    EXPECT_EQ(t["Text7"], " 509.9050");
    EXPECT_EQ(t["Text11"], "  P1");
    EXPECT_EQ(t["Text18"], "-2.76秒");
    EXPECT_EQ(t["Text25"], "1/100162");
    EXPECT_EQ(t["Text26"], "A,B,C点的次序按自左向右顺序排列");
    EXPECT_EQ(t.size(), 25u);
    EXPECT_EQ(r.out.find("\"PointName\""), r.out.find("\"record\"") + 16) << "fields in declared order";
}

TEST(CliJson, FailureKeepsTheRecordAsItStood)
{
    // A and C swapped: w, k and ms are stored, the distances stay measured.
    const Result r = RunCli("--json", "2450\n3550\n3000\n3000\n2500\n2600\nX\n474.345\n412.308\n509.905\n");
    EXPECT_EQ(r.status, 1);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["error"]["step"], "adjustment.adjustedDistances");
    EXPECT_FALSE(j["error"]["message"].get<std::string>().empty());
    EXPECT_EQ(j["record"]["w"].get<double>(), -602353.375);
    EXPECT_EQ(j["record"]["S1"].get<double>(), 474.345);
    EXPECT_EQ(j["record"]["xp1"].get<double>(), 0.0);
    EXPECT_TRUE(j["texts"].contains("Text19"));
    EXPECT_FALSE(j["texts"].contains("Text12"));
}

TEST(CliJson, UnusableInput)
{
    EXPECT_EQ(RunCli("--json", "2500\n2600\nabc\n").status, 2);
    EXPECT_EQ(RunCli("--json", "2500\n2600\n").status, 2);
    EXPECT_EQ(RunCli("--json", "2500\n2600\n3000\n3000\n2450\n3550\nP1\n509,905\n412.308\n474.345\n").status, 2);
    EXPECT_EQ(RunCli("--frobnicate", kWorked).status, 2);
}

TEST(CliText, SummaryAndReport)
{
    const Result summary = RunCli("", kWorked);
    EXPECT_EQ(summary.status, 0);
    EXPECT_NE(summary.out.find("1/100162"), std::string::npos);
    const Result report = RunCli("--report", kWorked);
    EXPECT_EQ(report.status, 0);
    EXPECT_NE(report.out.find("xp1=2600.004"), std::string::npos);
    EXPECT_NE(report.out.find("1/m=1/ 100162 "), std::string::npos);
}

}  // namespace

namespace {

TEST(CliPdf, WritesTheReportOfTheFigure)
{
    const ScratchDir dir;
    const std::string pdf = dir.File("report.pdf");
    const Result r = RunCli("--pdf " + pdf, kWorked);
    EXPECT_EQ(r.status, 0);
    std::ifstream in(pdf, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_EQ(RunCli("--pdf /nonexistent-folder/x.pdf", kWorked).status, 2) << "a PDF that cannot be written";
}

}  // namespace

namespace {

TEST(CliExtras, EllipseAndChecksInJsonAndSummary)
{
    const auto j = nlohmann::json::parse(RunCli("--json", kWorked).out);
    EXPECT_NEAR(j["ellipse"]["Qxy"].get<double>(), 0.175374, 5e-7);
    EXPECT_NEAR(j["ellipse"]["E"].get<double>(), 3.39657, 5e-6);
    EXPECT_NEAR(j["ellipse"]["F"].get<double>(), 2.32551, 5e-6);
    EXPECT_NEAR(j["ellipse"]["phiE"].get<double>(), 19.6053, 5e-5);
    EXPECT_LT(std::abs(j["checks"]["wAdjusted"].get<double>()), 1e-3);
    EXPECT_TRUE(j["checks"]["routeSpread"].is_number());
    EXPECT_EQ(j["record"].size(), 28u) << "the record keeps its fields";

    const auto stopped =
        nlohmann::json::parse(RunCli("--json", "2450\n3550\n3000\n3000\n2500\n2600\nX\n474.345\n412.308\n509.905\n").out);
    EXPECT_TRUE(stopped["ellipse"].is_null());
    EXPECT_TRUE(stopped["checks"].is_null());

    const std::string summary = RunCli("", kWorked).out;
    for (const char* line : {"长半轴 E = 3.40毫米\n", "短半轴 F = 2.33毫米\n", "长半轴方位角 φE = 19.605°\n",
                             "平差后闭合差 w′ = 0.0000160秒\n", "协因数 Qxy = 0.175374\n"})
        EXPECT_NE(summary.find(line), std::string::npos) << line;
}

TEST(CliExtras, SvgSketchOfTheFigure)
{
    std::string folder = ::testing::TempDir() + "cli_sketch_XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string svg = folder + "/sketch.svg";
    const Result r = RunCli("--svg " + svg, kWorked);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "") << "the file is the output";
    std::ifstream in(svg, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("误差椭圆放大"), std::string::npos);
    std::remove(svg.c_str());
    rmdir(folder.c_str());
    EXPECT_EQ(RunCli("--svg /nonexistent-folder/x.svg", kWorked).status, 2) << "an SVG that cannot be written";
}

}  // namespace
