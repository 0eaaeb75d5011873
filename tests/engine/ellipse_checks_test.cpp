// The error ellipse and the adjustment checks, against a rigorous least
// squares of the three distances with P as the unknown, written out here.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "engine/outcome.h"
#include "tests/engine/test_figures.h"

namespace corvanet {
namespace {

using testing::Figure;
using testing::WorkedFigure;

// Rigorous adjustment by parameters: the distances to A, B and C as
// functions of P, solved by Gauss–Newton from the corner of the figure.
struct Rigorous {
    double Qxx, Qyy, Qxy;
    double E, F, phiE;  // mm, mm, degrees from north in [0, 180)
};

Rigorous RigorousAdjustment(const SurveyRecord& in)
{
    const std::array<std::array<double, 3>, 3> known = {{{in.Xa, in.Ya, in.S1}, {in.Xb, in.Yb, in.S2},
                                                         {in.Xc, in.Yc, in.S3}}};
    // Start from the point the first two circles give on the side of C.
    double x = (in.Xa + in.Xb + in.Xc) / 3.0, y = (in.Ya + in.Yb + in.Yc) / 3.0;
    double N11 = 0, N12 = 0, N22 = 0, vv = 0;
    for (int iteration = 0; iteration < 50; ++iteration) {
        N11 = N12 = N22 = 0;
        double u1 = 0, u2 = 0;
        vv = 0;
        for (const auto& [X, Y, S] : known) {
            const double s = std::hypot(x - X, y - Y);
            const double ax = (x - X) / s, ay = (y - Y) / s, l = S - s;
            N11 += ax * ax, N12 += ax * ay, N22 += ay * ay;
            u1 += ax * l, u2 += ay * l;
            vv += l * l;
        }
        const double det = N11 * N22 - N12 * N12;
        const double dx = (N22 * u1 - N12 * u2) / det, dy = (N11 * u2 - N12 * u1) / det;
        x += dx, y += dy;
        if (std::hypot(dx, dy) < 1e-13) break;
    }
    const double det = N11 * N22 - N12 * N12;
    Rigorous r{N22 / det, N11 / det, -N12 / det, 0, 0, 0};
    const double sigma0 = std::sqrt(vv / (3 - 2)) * 1000.0;  // mm
    const double mean = (r.Qxx + r.Qyy) / 2, half = std::hypot((r.Qxx - r.Qyy) / 2, r.Qxy);
    r.E = sigma0 * std::sqrt(mean + half);
    r.F = sigma0 * std::sqrt(mean - half);
    r.phiE = std::atan2(2 * r.Qxy, r.Qxx - r.Qyy) / 2 * 180 / M_PI;
    if (r.phiE < 0) r.phiE += 180;
    return r;
}

CalculationOutcome Outcome(SurveyRecord r)
{
    NullSink sink;
    return CalculateOutcome(r, sink);
}

#define EXPECT_4_DIGITS(actual, expected) \
    EXPECT_NEAR((actual), (expected), 2e-4 * std::abs(expected)) << "to four significant digits"

void ExpectAgreesWithRigorous(const SurveyRecord& figure)
{
    const CalculationOutcome o = Outcome(figure);
    ASSERT_TRUE(o.Complete());
    ASSERT_TRUE(o.extras);
    const ErrorEllipse& e = o.extras->ellipse;
    ASSERT_TRUE(e.Qxy && e.E && e.F && e.phiE);
    const Rigorous ref = RigorousAdjustment(figure);
    EXPECT_4_DIGITS(o.record.px, ref.Qxx);
    EXPECT_4_DIGITS(o.record.py, ref.Qyy);
    EXPECT_4_DIGITS(*e.Qxy, ref.Qxy);
    EXPECT_4_DIGITS(*e.E, ref.E);
    EXPECT_4_DIGITS(*e.F, ref.F);
    EXPECT_4_DIGITS(*e.phiE, ref.phiE);
}

TEST(ErrorEllipse, WorkedFigureAgreesWithTheRigorousAdjustment)
{
    ExpectAgreesWithRigorous(WorkedFigure());
    const ErrorEllipse e = Outcome(WorkedFigure()).extras->ellipse;
    EXPECT_NEAR(*e.Qxy, 0.175374, 5e-7);
    EXPECT_NEAR(*e.E, 3.39657, 5e-6);
    EXPECT_NEAR(*e.F, 2.32551, 5e-6);
    EXPECT_NEAR(*e.phiE, 19.6053, 5e-5);
}

TEST(ErrorEllipse, EachRouteAgreesWithTheRigorousAdjustment)
{
    const SurveyRecord routeA = Figure(500, 400, 1000, 1000, 450, 1600, 657.651, 403.110, 570.090);
    const SurveyRecord routeB = Figure(500, 400, 2000, 1000, 450, 1600, 657.651, 1400.890, 570.090);
    const SurveyRecord routeC = Figure(500, 400, 1000, 1000, 300, 2600, 657.651, 403.110, 1578.767);
    for (const SurveyRecord& f : {routeA, routeB, routeC}) {
        SCOPED_TRACE(f.S2);
        ExpectAgreesWithRigorous(f);
    }
}

TEST(ErrorEllipse, SemiAxesShareTheSumOfSquaresOfMxAndMy)
{
    for (const SurveyRecord& f : {WorkedFigure(), Figure(500, 400, 2000, 1000, 450, 1600, 657.651, 1400.890, 570.090)}) {
        const CalculationOutcome o = Outcome(f);
        const double axes = *o.extras->ellipse.E * *o.extras->ellipse.E + *o.extras->ellipse.F * *o.extras->ellipse.F;
        const double coordinates = double(o.record.mx) * o.record.mx + double(o.record.my) * o.record.my;
        EXPECT_NEAR(axes, coordinates, 1e-6 * coordinates) << "up to the single rounding of mx and my";
    }
}

TEST(ErrorEllipse, FigureSymmetricAboutNorthThroughBHasItsAxesNorthOrEast)
{
    // A and C mirror each other across the meridian of B; P = (800, 1000)
    // lies on it, and S2 carries a misclosure of about three seconds.
    const double side = std::hypot(300.0, 400.0);
    const CalculationOutcome o = Outcome(Figure(500, 600, 1000, 1000, 500, 1400, side, 200.002, side));
    ASSERT_TRUE(o.Complete());
    ASSERT_GT(std::abs(o.record.w), 1.0f);
    const double phi = *o.extras->ellipse.phiE;
    // The one condition settles the axes to four significant digits, as it does px and py.
    EXPECT_TRUE(phi < 0.005 || std::abs(phi - 90.0) < 0.005 || phi > 179.995) << phi;
    EXPECT_LT(std::abs(*o.extras->ellipse.Qxy), 1e-4 * o.record.px);
}

TEST(AdjustmentChecks, WorkedFigureLeavesFarLessThanItsMisclosure)
{
    const CalculationOutcome o = Outcome(WorkedFigure());
    ASSERT_TRUE(o.extras->checks.wAdjusted && o.extras->checks.routeSpread);
    EXPECT_LT(std::abs(*o.extras->checks.wAdjusted), 1e-3 * std::abs(o.record.w));
    // P from C departs from the others by what the single pass leaves.
    EXPECT_LT(*o.extras->checks.routeSpread, 1e-3);
    EXPECT_GT(*o.extras->checks.routeSpread, 0.0);
}

TEST(AdjustmentChecks, WhatThePassLeavesGrowsWithTheMisclosure)
{
    double lastW = 0, lastLeft = 0, lastSpread = 0;
    for (double blunder : {0.0, 0.02, 0.1, 0.5}) {
        SurveyRecord f = WorkedFigure();
        f.S3 += blunder;
        const CalculationOutcome o = Outcome(f);
        ASSERT_TRUE(o.Complete()) << blunder;
        const double left = std::abs(*o.extras->checks.wAdjusted);
        EXPECT_GT(std::abs(o.record.w), lastW) << blunder;
        EXPECT_GT(left, lastLeft) << blunder;
        EXPECT_GT(*o.extras->checks.routeSpread, lastSpread) << blunder;
        lastW = std::abs(o.record.w), lastLeft = left, lastSpread = *o.extras->checks.routeSpread;
    }
}

TEST(Outcome, StoppedCalculationHasNoExtrasAndKeepsWhatWasEntered)
{
    const SurveyRecord swapped = Figure(2450, 3550, 3000, 3000, 2500, 2600, 474.345, 412.308, 509.905);
    const CalculationOutcome o = Outcome(swapped);
    ASSERT_FALSE(o.Complete());
    EXPECT_FALSE(o.extras);
    EXPECT_FALSE(o.PointComputed());
    EXPECT_EQ(o.entered.S1, 474.345) << "the measured distance, not a corrected one";

    // Coordinates done, the relative error stopped: P stands, the extras do not.
    const CalculationOutcome late =
        Outcome(Figure(-20, -50, 0, 0, 100, 100, 30, std::hypot(50.0, 50.0), std::hypot(150.0, 150.0)));
    ASSERT_FALSE(late.Complete());
    EXPECT_TRUE(late.PointComputed());
    EXPECT_FALSE(late.extras);
}

}  // namespace
}  // namespace corvanet
