// Figures around north, the three routes of the precision assessment, and
// figures entered in the wrong order.
#include <gtest/gtest.h>

#include "tests/engine/test_figures.h"

namespace corvanet {
namespace {

using testing::Figure;

CalculationValues RunFigure(SurveyRecord& r)
{
    NullSink sink;
    return Calculate(r, sink);
}

TEST(NorthFigure, CarriedAzimuthIsBroughtBackIntoRange)
{
    SurveyRecord r = Figure(984.808, 173.648, 0, 0, 500, -866.025, 656.39, 500, 656.39);
    const CalculationValues v = RunFigure(r);
    EXPECT_12(v.adjustment.alphaBCcalc, 299.99999601560063);
    EXPECT_EQ(static_cast<double>(r.w), -0.05598093941807747);
}

TEST(NorthFigure, AzimuthFromBWrapsWhenAIsJustEastOfNorth)
{
    // B at the origin, A a little east of north, C due west, P at (700, −700).
    const double S1 = std::hypot(300.0, 750.0), S2 = std::hypot(700.0, 700.0), S3 = std::hypot(700.0, 300.0);
    SurveyRecord r = Figure(1000, 50, 0, 0, 0, -1000, S1, S2, S3);
    const CalculationValues v = RunFigure(r);
    EXPECT_LT(v.adjustment.alphaBA, v.coordinates.angABP);
    EXPECT_NEAR(v.coordinates.alphaBP, 315.0, 1e-6);
    for (double x : {r.xp1, r.xp2, r.xp3}) EXPECT_NEAR(x, 700.0, 1e-6);
    for (double y : {r.yp1, r.yp2, r.yp3}) EXPECT_NEAR(y, -700.0, 1e-6);
}


TEST(NorthFigure, MisclosureDoesNotJumpAtTheSeam)
{
    // B→C points 10 seconds east of north; S1 is 5 cm long, so the carried
    // azimuth of B→C falls on the other side of north. Without bringing the
    // difference back by one turn, w would be about 1 296 000 seconds.
    const double dyC = 0.05, half = std::hypot(500.0, 500.0);
    SurveyRecord r = Figure(0, 1000, 0, 0, 1000, dyC, half + 0.05, half, std::hypot(500.0, 500.0 - dyC));
    const CalculationValues v = RunFigure(r);
    EXPECT_GT(v.adjustment.alphaBCcalc, 359.99);
    EXPECT_LT(v.adjustment.alphaBC, 0.01);
    EXPECT_NEAR(r.w, -14.585f, 1e-3f);
    EXPECT_NEAR(r.xp1, 500.0177, 1e-4);
}

TEST(SecondFigure, AllThreeRoutesGiveTheSamePoint)
{
    SurveyRecord r = Figure(500, 400, 1000, 1000, 450, 1600, 657.651, 403.110, 570.090);
    const CalculationValues v = RunFigure(r);
    EXPECT_NEAR(v.coordinates.alphaAP, 81.2535, 5e-5);
    EXPECT_NEAR(v.coordinates.alphaBP, 172.8748, 5e-5);
    EXPECT_NEAR(v.coordinates.alphaCP, 285.2555, 5e-5);
    for (double x : {r.xp1, r.xp2, r.xp3}) EXPECT_NEAR(x, 600.004, 5e-4);
    for (double y : {r.yp1, r.yp2, r.yp3}) EXPECT_NEAR(y, 1050.001, 5e-4);
}

TEST(Routes, LongestAdjustedDistanceChoosesTheRoute)
{
    SurveyRecord a = Figure(500, 400, 1000, 1000, 450, 1600, 657.651, 403.110, 570.090);
    SurveyRecord b = Figure(500, 400, 2000, 1000, 450, 1600, 657.651, 1400.890, 570.090);
    SurveyRecord c = Figure(500, 400, 1000, 1000, 300, 2600, 657.651, 403.110, 1578.767);
    EXPECT_EQ(RunFigure(a).precision.route, Route::A);
    const CalculationValues vb = RunFigure(b);
    EXPECT_EQ(vb.precision.route, Route::B);
    EXPECT_EQ(vb.precision.Dmin, b.S3);
    const CalculationValues vc = RunFigure(c);
    EXPECT_EQ(vc.precision.route, Route::C);
    EXPECT_EQ(vc.precision.Dmin, c.S2);
}

TEST(Routes, TiesGoToTheFirstOfTheLongest)
{
    EXPECT_EQ(ChooseRoute(5, 5, 1), Route::A);
    EXPECT_EQ(ChooseRoute(5, 5, 5), Route::A);
    EXPECT_EQ(ChooseRoute(1, 5, 5), Route::B);
    EXPECT_EQ(ChooseRoute(1, 2, 5), Route::C);
    EXPECT_EQ(ChooseRoute(5, 1, 5), Route::A);
}

// The weight reciprocals do not depend on the route beyond the last digits.
TEST(Routes, EveryRouteGivesTheSameShownFigures)
{
    SurveyRecord r = testing::WorkedFigure();
    NullSink sink;
    const AdjustmentValues adj = AdjustFixedAngle(r, sink);
    const CoordinateValues coo = ComputeCoordinates(r, adj, sink);
    SurveyRecord a = r, b = r, c = r;
    AssessPrecisionByRoute(a, adj, coo, sink, Route::A);
    AssessPrecisionByRoute(b, adj, coo, sink, Route::B);
    AssessPrecisionByRoute(c, adj, coo, sink, Route::C);
    for (const SurveyRecord* q : {&b, &c}) {
        EXPECT_NEAR(q->px, a.px, 1e-4);
        EXPECT_NEAR(q->py, a.py, 1e-4);
        EXPECT_NEAR(q->md, a.md, 1e-2f);
        EXPECT_NEAR(q->m, a.m, 5e-4f * a.m);
    }
}

TEST(SwappedPoints, NegativeAdjustedDistanceStopsBeforeP)
{
    // A and C of the worked figure exchanged, and S1 with S3.
    SurveyRecord r = Figure(2450, 3550, 3000, 3000, 2500, 2600, 474.345, 412.308, 509.905);
    NullSink sink;
    const auto failure = TryCalculate(r, sink);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->step(), Step::AdjustedDistances);
    EXPECT_NE(failure->message().find("次序"), std::string::npos);
    EXPECT_EQ(r.w, -602353.375f);
    EXPECT_NE(r.k, 0.0);
    EXPECT_NE(r.ms, 0.0f);
    EXPECT_EQ(r.S1, 474.345) << "the measured distances stay";
    EXPECT_EQ(r.S2, 412.308);
    EXPECT_EQ(r.S3, 509.905);
    EXPECT_EQ(r.xp1, 0.0) << "P is not computed";
}

}  // namespace
}  // namespace corvanet
