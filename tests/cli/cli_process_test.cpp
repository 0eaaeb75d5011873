// corvanet-cli as a user runs it: standard input in, JSON or text out, and
// the exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "tests/cli/run_cli.h"

namespace {

using Result = corvanet::testing::CliResult;
using corvanet::testing::RunCli;

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
    const std::string pdf = corvanet::testing::TestDir() + "cli_report.pdf";
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

using corvanet::testing::Figure;

TEST(CliText, AnyBytesComeOutAsValidUtf8)
{
    // An invalid byte: JSON that parses, with U+FFFD in its place.
    const Result invalid = RunCli("--json", Figure("P\xff"));
    ASSERT_EQ(invalid.status, 0) << invalid.err;
    EXPECT_EQ(nlohmann::json::parse(invalid.out)["record"]["PointName"], "P\xEF\xBF\xBD");

    // A GBK name, as older Chinese software writes it, and a byte-order mark.
    const Result gbk = RunCli("--json", "\xEF\xBB\xBF" + Figure("\xB5\xE3\xC3\xFB"));
    ASSERT_EQ(gbk.status, 0) << gbk.err;
    const auto j = nlohmann::json::parse(gbk.out);
    EXPECT_EQ(j["record"]["PointName"], "点名");
    EXPECT_EQ(j["record"]["Xa"].get<double>(), 2500.0);
    EXPECT_EQ(j["texts"]["Text11"], "  点名");
    for (const char* args : {"", "--report"}) {
        const Result text = RunCli(args, Figure("P\xff\xb5\xe3"));
        EXPECT_EQ(text.status, 0) << args;
        EXPECT_NE(text.out.find("P\xEF\xBF\xBD点"), std::string::npos) << args;
    }
}

TEST(CliText, ControlCharactersReachTheTerminalEscaped)
{
    const std::string name = "P\x1B[2J\rX\a\x7F\xE2\x80\xAE";  // clear screen, CR, bell, DEL, right-to-left override
    const std::string shown = "P\\e[2J\\rX\\x07\\x7F\\u202E";
    const Result summary = RunCli("", Figure(name));
    EXPECT_NE(summary.out.find("待定点 " + shown + "\n"), std::string::npos) << summary.out;
    const Result report = RunCli("--report", Figure(name));
    EXPECT_NE(report.out.find("待定点 (" + shown), std::string::npos) << report.out;
    for (const std::string& out : {summary.out, report.out})
        for (char c : out) EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
    EXPECT_EQ(nlohmann::json::parse(RunCli("--json", Figure(name)).out)["record"]["PointName"], name)
        << "JSON keeps the name exactly";
}

TEST(CliFailure, DistanceBeyondTheSingleRangeStopsTheCalculation)
{
    const Result r = RunCli("--json", Figure("P", "4e38"));
    EXPECT_EQ(r.status, 1);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["error"]["step"], "entry.S1obs");
    EXPECT_EQ(j["record"]["S1"].get<double>(), 4e38);
    for (const char* untouched : {"S1obs", "S2obs", "S3obs", "w", "ms"})
        EXPECT_EQ(j["record"][untouched].get<double>(), 0.0) << untouched << ": nothing stored past the failure";
    EXPECT_FALSE(j["texts"].contains("Text18"));
    EXPECT_NE(r.err.find("计算中止"), std::string::npos);
    EXPECT_EQ(RunCli("--report", Figure("P", "4e38")).status, 1);
    const Result within = RunCli("--json", Figure("P", "3e38"));
    EXPECT_EQ(within.status, 1);
    EXPECT_EQ(nlohmann::json::parse(within.out)["record"]["S1obs"].get<double>(), double(3e38f))
        << "within the single range the copy is taken; the figure fails later";
}

TEST(CliConventions, HelpVersionAndUsageErrors)
{
    for (const char* help : {"-h", "--help", "--json --help"}) {
        const Result r = RunCli(help, "");
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_NE(r.out.find("--batch"), std::string::npos) << help;
        EXPECT_EQ(r.err, "");
    }
    const Result version = RunCli("--version", "");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("corvanet-cli ", 0), 0u);
    // Each a usage error: exit 2, one line on standard error, nothing on standard output.
    for (const char* wrong : {"--frobnicate", "-x", "extra", "--json --report", "--bom", "--batch", "--pdf",
                              "--pdf=", "--json=1", "--batch a.csv --json", "--batch a.csv --pdf b.pdf",
                              "--pdf a.pdf --pdf b.pdf"}) {
        const Result r = RunCli(wrong, Figure("P"));
        EXPECT_EQ(r.status, 2) << wrong;
        EXPECT_EQ(r.out, "") << wrong;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << wrong << ": " << r.err;
    }
}

TEST(CliConventions, ExtraLinesDirectoriesAndNoQtMessages)
{
    const Result extra = RunCli("", Figure("P") + "\n  \nP2\n");
    EXPECT_EQ(extra.status, 2);
    EXPECT_NE(extra.err.find("第 13 行"), std::string::npos) << extra.err;
    EXPECT_EQ(RunCli("", Figure("P") + "\n \r\n").status, 0) << "blank lines may follow";

    const std::string dir = corvanet::testing::TestDir();
    for (const std::string& args : {"--batch " + dir, "--pdf " + dir, "< " + dir}) {
        const Result r = RunCli(args, Figure("P"));
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("是一个目录"), std::string::npos) << args << ": " << r.err;
    }

    const Result pdf = RunCli("--pdf " + dir + "no-such-folder/x.pdf", Figure("P"));
    EXPECT_EQ(pdf.status, 2);
    EXPECT_EQ(std::count(pdf.err.begin(), pdf.err.end(), '\n'), 1) << pdf.err;
    EXPECT_EQ(pdf.err.find("QPainter"), std::string::npos) << pdf.err;
}

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
    const std::string svg = corvanet::testing::TestDir() + "sketch.svg";
    const Result r = RunCli("--svg " + svg, kWorked);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "") << "the file is the output";
    const std::string text = corvanet::testing::ReadFile(svg);
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("误差椭圆放大"), std::string::npos);
    EXPECT_EQ(RunCli("--svg /nonexistent-folder/x.svg", kWorked).status, 2) << "an SVG that cannot be written";
}

}  // namespace
