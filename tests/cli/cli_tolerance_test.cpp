// The misclosure test from the command line: --precision with every mode,
// the JSON object, the summary's two lines, and a meter that is no meter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/cli/run_cli.h"

namespace {

using corvanet::testing::RunCli;

std::string Figure(const std::string& S1) { return "2500\n2600\n3000\n3000\n2450\n3550\nP1\n" + S1 + "\n412.308\n474.345\n"; }

// Six significant digits.
void Expect6(double actual, double expected) { EXPECT_NEAR(actual, expected, std::abs(expected) * 5e-6) << expected; }

TEST(CliTolerance, JsonOfTheWorkedFigureAndTheBlunder)
{
    const auto worked = nlohmann::json::parse(RunCli("--json", Figure("509.905")).out)["tolerance"];
    EXPECT_EQ(worked["a"].get<double>(), 2.0);
    EXPECT_EQ(worked["b"].get<double>(), 2.0);
    Expect6(worked["sigma"][0].get<double>(), 3.01981);
    Expect6(worked["sigma"][1].get<double>(), 2.82462);
    Expect6(worked["sigma"][2].get<double>(), 2.94869);
    Expect6(worked["mw"].get<double>(), 2.45698);
    Expect6(worked["limit"].get<double>(), 4.91397);
    EXPECT_FALSE(worked["exceeded"].get<bool>());

    const auto blunder = RunCli("--json", Figure("510.005"));
    EXPECT_EQ(blunder.status, 0) << "the test never stops a calculation";
    const auto j = nlohmann::json::parse(blunder.out);
    Expect6(j["record"]["w"].get<double>(), -52.8430);
    EXPECT_TRUE(j["tolerance"]["exceeded"].get<bool>());

    const auto finer = nlohmann::json::parse(RunCli("--json --precision 1,1.5", Figure("509.905")).out)["tolerance"];
    EXPECT_EQ(finer["b"].get<double>(), 1.5);
    EXPECT_NEAR(finer["mw"].get<double>(), 1.428, 0.0005);
    EXPECT_FALSE(finer["exceeded"].get<bool>());
}

TEST(CliTolerance, NullWithoutCoefficientsAndSummaryLines)
{
    // Sides that cannot form the triangle ABP: no coefficients, no test.
    const auto stopped = RunCli("--json", "2500\n2600\n3000\n3000\n2450\n3550\nP1\n1\n1\n474.345\n");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_TRUE(nlohmann::json::parse(stopped.out)["tolerance"].is_null());

    const std::string pass = RunCli("", Figure("509.905")).out;
    EXPECT_NE(pass.find("闭合差限差 = ±4.91秒\n闭合差检验 = 合格\n"), std::string::npos) << pass;
    const std::string exceeded = RunCli("--precision=2,2", Figure("510.005")).out;
    EXPECT_NE(exceeded.find("闭合差检验 = 超限\n"), std::string::npos) << exceeded;
}

TEST(CliTolerance, AMeterThatIsNoMeterIsAUsageError)
{
    for (const char* bad : {"abc", "-1,2", "0,0", "nan,1", "2", "2,2,2", "1e400,1", "''"}) {
        const auto r = RunCli(std::string("--json --precision ") + bad, Figure("509.905"));
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_TRUE(r.out.empty()) << bad;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << bad << ": " << r.err;
    }
}

TEST(CliTolerance, BatchTakesTheMeterToo)
{
    const std::string csv = "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3\nP1,2500,2600,3000,3000,2450,3550,509.905,412.308,474.345\n";
    const std::string byDefault = RunCli("--batch -", csv).out;
    EXPECT_NE(byDefault.find(",2.4569836475886864,4.913967295177373,pass\n"), std::string::npos) << byDefault;
    // 1 mm + 1 ppm: the worked figure's 2.76″ is beyond the limit of 2.46″.
    const std::string finer = RunCli("--batch - --precision 1,1", csv).out;
    EXPECT_NE(finer.find(",exceeded\n"), std::string::npos) << finer;
    EXPECT_EQ(RunCli("--batch - --precision 0,0", csv).status, 2);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST(CliTolerance, ReportNotesAnExceededMisclosureAfterAStoppedCalculationsNote)
{
    // A figure that passes prints exactly what it printed with no test at all.
    const std::string passes = RunCli("--report", Figure("509.905")).out;
    EXPECT_EQ(passes, RunCli("--report --precision 1000,1000", Figure("509.905")).out);
    EXPECT_EQ(passes.find("注意"), std::string::npos);

    const auto blunder = Lines(RunCli("--report", Figure("510.005")).out);
    ASSERT_GT(blunder.size(), 5u);
    EXPECT_EQ(blunder[3], std::string(21, ' ') +
                              "注意：固定角闭合差 w = -52.84秒 超过限差 ±4.91秒（测距精度 ±(2 mm + 2 ppm·D)，"
                              "限差取 2 倍中误差），请检查观测边长。");
    EXPECT_EQ(blunder[4], "");
    EXPECT_EQ(blunder.size(), Lines(passes).size() + 2) << "the note and a blank line, the page's own lines kept";

    // A and C swapped: the adjustment stops after the coefficients, w is far beyond.
    const auto swapped =
        Lines(RunCli("--report", "2450\n3550\n3000\n3000\n2500\n2600\nP1\n474.345\n412.308\n509.905\n").out);
    ASSERT_GT(swapped.size(), 7u);
    EXPECT_NE(swapped[3].find("注意：最近一次计算没有完成"), std::string::npos) << "the stopped note first";
    EXPECT_NE(swapped[5].find("注意：固定角闭合差 w = "), std::string::npos) << swapped[5];
    EXPECT_EQ(swapped[6], "");
}

}  // namespace
