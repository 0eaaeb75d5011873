// The text of every result box: the worked figure, the three routes, and the
// display rules' own examples.
#include <gtest/gtest.h>

#include "engine/calculation.h"
#include "text/display_rules.h"
#include "text/entry_inputs.h"

namespace corvanet {
namespace {

SurveyRecord Calculated(double Xa, double Ya, double Xb, double Yb, double Xc, double Yc, double S1, double S2,
                        double S3)
{
    SurveyRecord r;
    r.Xa = Xa, r.Ya = Ya, r.Xb = Xb, r.Yb = Yb, r.Xc = Xc, r.Yc = Yc, r.S1 = S1, r.S2 = S2, r.S3 = S3;
    NullSink sink;
    Calculate(r, sink);
    return r;
}

TEST(ResultText, WorkedFigure)
{
    const SurveyRecord r = Calculated(2500, 2600, 3000, 3000, 2450, 3550, 509.905, 412.308, 474.345);
    EXPECT_EQ(ResultText(ResultField::w, r), "-2.76秒");
    EXPECT_EQ(ResultText(ResultField::ms, r), "3.32毫米");
    for (ResultField f : {ResultField::xp1, ResultField::xp2, ResultField::xp3}) EXPECT_EQ(ResultText(f, r), "2600.004");
    for (ResultField f : {ResultField::yp1, ResultField::yp2, ResultField::yp3}) EXPECT_EQ(ResultText(f, r), "3100.000");
    EXPECT_EQ(ResultText(ResultField::px, r), "0.9820");
    EXPECT_EQ(ResultText(ResultField::py, r), "0.5521");
    EXPECT_EQ(ResultText(ResultField::mx, r), "3.29毫米");
    EXPECT_EQ(ResultText(ResultField::my, r), "2.47毫米");
    EXPECT_EQ(ResultText(ResultField::md, r), "4.12毫米");
    EXPECT_EQ(ResultText(ResultField::m, r), "1/100162");
}

struct RouteCase {
    const char* name;
    double Xb, Xc, Yc, S2, S3;
    const char *ms, *px, *py, *mx, *my, *md, *m;
};

TEST(ResultText, OneFigureForEachRoute)
{
    const RouteCase cases[] = {
        {"A", 1000, 450, 1600, 403.110, 570.090, "3.18毫米", "0.9521", "0.5332", "3.10毫米", "2.32毫米", "3.87毫米",
         "1/104152"},
        {"B", 2000, 450, 1600, 1400.890, 570.090, "3.30毫米", "0.9251", "0.5288", "3.17毫米", "2.40毫米", "3.98毫米",
         "1/143368"},
        {"C", 1000, 300, 2600, 403.110, 1578.767, "2.95毫米", "0.9701", "0.5176", "2.90毫米", "2.12毫米", "3.59毫米",
         "1/112220"},
    };
    for (const RouteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SurveyRecord r = Calculated(500, 400, c.Xb, 1000, c.Xc, c.Yc, 657.651, c.S2, c.S3);
        EXPECT_EQ(ResultText(ResultField::ms, r), c.ms);
        EXPECT_EQ(ResultText(ResultField::px, r), c.px);
        EXPECT_EQ(ResultText(ResultField::py, r), c.py);
        EXPECT_EQ(ResultText(ResultField::mx, r), c.mx);
        EXPECT_EQ(ResultText(ResultField::my, r), c.my);
        EXPECT_EQ(ResultText(ResultField::md, r), c.md);
        EXPECT_EQ(ResultText(ResultField::m, r), c.m);
        for (ResultField f : {ResultField::xp1, ResultField::xp2, ResultField::xp3})
            EXPECT_EQ(ResultText(f, r), "600.004");
        for (ResultField f : {ResultField::yp1, ResultField::yp2, ResultField::yp3})
            EXPECT_EQ(ResultText(f, r), "1050.001");
    }
}

TEST(ResultText, RoundsHalfToEvenBeforeThePattern)
{
    SurveyRecord r;
    r.w = 3.125f;
    EXPECT_EQ(ResultText(ResultField::w, r), "3.12秒");
    r.w = -2.5f;
    EXPECT_EQ(ResultText(ResultField::w, r), "-2.50秒");
    r.ms = 0.125f;
    EXPECT_EQ(ResultText(ResultField::ms, r), "0.12毫米");
    r.xp1 = 1234.0625;
    EXPECT_EQ(ResultText(ResultField::xp1, r), "1234.062");
    r.px = 0.03125;
    EXPECT_EQ(ResultText(ResultField::px, r), "0.0312");
    r.w = -0.004f;
    EXPECT_EQ(ResultText(ResultField::w, r), "0.00秒");
}

TEST(ResultText, RelativeErrorCutsTheFraction)
{
    SurveyRecord r;
    EXPECT_EQ(ResultText(ResultField::m, r), "1/0");
    r.m = 35812.9f;
    EXPECT_EQ(ResultText(ResultField::m, r), "1/35812");
    r.m = 104152.33f;
    EXPECT_EQ(ResultText(ResultField::m, r), "1/104152");
    r.m = 12345678.0f;
    EXPECT_EQ(ResultText(ResultField::m, r), "1/1.234568E+07");
    r.m = -7.6f;
    EXPECT_EQ(ResultText(ResultField::m, r), "1/-7");
}

TEST(EchoText, PatternWithoutRounding)
{
    SurveyRecord r;
    const auto echo = [&r](const EntryInput& in) { return EchoText(in, r); };
    const auto inputs = EntryInputs();
    r.Xa = 3456.7, r.Ya = 1234.0625, r.Yc = -12.5, r.S1 = 100, r.S3 = 123.45678;
    EXPECT_EQ(echo(inputs[0]), " 3456.700");
    EXPECT_EQ(echo(inputs[1]), " 1234.063");
    EXPECT_EQ(echo(inputs[5]), " -12.500");
    EXPECT_EQ(echo(inputs[7]), " 100.0000");
    EXPECT_EQ(echo(inputs[9]), " 123.4568");
    EXPECT_EQ(echo(inputs[6]), "  ");
    r.PointName = "P1";
    EXPECT_EQ(echo(inputs[6]), "  P1");
}

}  // namespace
}  // namespace corvanet
