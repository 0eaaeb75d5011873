// The misclosure test in words: the tooltip and the note as the user reads
// them, and the meter's precision as typed on the command line.
#include <gtest/gtest.h>

#include "engine/outcome.h"
#include "text/tolerance_text.h"

namespace corvanet {
namespace {

SurveyRecord Worked(double S1 = 509.905)
{
    SurveyRecord r;
    r.Xa = 2500, r.Ya = 2600, r.Xb = 3000, r.Yb = 3000, r.Xc = 2450, r.Yc = 3550;
    r.S1 = S1, r.S2 = 412.308, r.S3 = 474.345;
    return r;
}

struct Tested {
    float w;
    MisclosureTest test;
};

Tested Tried(SurveyRecord figure, MeterPrecision meter = {})
{
    NullSink sink;
    const CalculationOutcome o = CalculateOutcome(figure, sink);
    return {o.record.w, *TestMisclosure(o, meter)};
}

TEST(ToleranceText, WorkedFigureTooltipPasses)
{
    EXPECT_EQ(ToleranceTooltip(Tried(Worked()).test), "限差 ±4.91秒（2 倍中误差，测距精度 ±(2 mm + 2 ppm·D)）：合格");
    EXPECT_EQ(ToleranceTooltip(Tried(Worked(), {1.0, 1.5}).test),
              "限差 ±2.86秒（2 倍中误差，测距精度 ±(1 mm + 1.5 ppm·D)）：合格");
}

TEST(ToleranceText, BlunderTooltipAndNoteSayExceeded)
{
    const Tested t = Tried(Worked(510.005));
    EXPECT_EQ(ToleranceTooltip(t.test), "限差 ±4.91秒（2 倍中误差，测距精度 ±(2 mm + 2 ppm·D)）：超限");
    EXPECT_EQ(ExceededNote(t.w, t.test),
              "注意：固定角闭合差 w = -52.84秒 超过限差 ±4.91秒（测距精度 ±(2 mm + 2 ppm·D)，限差取 2 "
              "倍中误差），请检查观测边长。");
}

TEST(ToleranceText, MeterPrecisionAsTyped)
{
    const auto read = [](std::string_view text) { return ReadMeterPrecision(text); };
    ASSERT_TRUE(std::holds_alternative<MeterPrecision>(read("2,2")));
    EXPECT_EQ(std::get<MeterPrecision>(read("1, 1.5")).b, 1.5);
    EXPECT_EQ(std::get<MeterPrecision>(read("0,2")).a, 0.0) << "one of them may be zero";
    for (const char* bad : {"abc", "-1,2", "2,-1", "0,0", "nan,1", "2", "2,2,2", "1e400,1", "", ",", "2,", "1001,2",
                            "2,1001", "inf,1"}) {
        const auto result = read(bad);
        ASSERT_TRUE(std::holds_alternative<std::string>(result)) << bad;
        EXPECT_NE(std::get<std::string>(result).find("测距精度"), std::string::npos) << bad;
    }
}

}  // namespace
}  // namespace corvanet
