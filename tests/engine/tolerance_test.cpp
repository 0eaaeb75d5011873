// The misclosure against the distance meter's precision: the published
// figures, m_w against finite differences of the engine's own w, and when
// there is no test at all.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/outcome.h"
#include "engine/tolerance.h"
#include "tests/engine/test_figures.h"

namespace corvanet {
namespace {

using testing::Figure;
using testing::WorkedFigure;

struct Tested {
    CalculationOutcome outcome;
    std::optional<MisclosureTest> test;
};

Tested Tried(SurveyRecord figure, MeterPrecision meter = {})
{
    NullSink sink;
    Tested t{CalculateOutcome(figure, sink), std::nullopt};
    t.test = TestMisclosure(t.outcome, meter);
    return t;
}

TEST(MeterTolerance, WorkedFigureTwoMillimetresTwoPpmPasses)
{
    const Tested t = Tried(WorkedFigure());
    ASSERT_TRUE(t.test);
    EXPECT_NEAR(t.test->sigma[0], 3.020, 0.0005);
    EXPECT_NEAR(t.test->sigma[1], 2.825, 0.0005);
    EXPECT_NEAR(t.test->sigma[2], 2.949, 0.0005);
    EXPECT_NEAR(t.test->mw, 2.45698, 0.000005) << "to the published six digits";
    EXPECT_NEAR(t.test->limit, 4.91, 0.005);
    EXPECT_NEAR(t.outcome.record.w, -2.76, 0.005);
    EXPECT_FALSE(t.test->exceeded);
}

TEST(MeterTolerance, TenCentimetreBlunderInS1Exceeds)
{
    SurveyRecord blunder = WorkedFigure();
    blunder.S1 = 510.005;
    const Tested t = Tried(blunder);
    ASSERT_TRUE(t.outcome.Complete()) << "the test never stops a calculation";
    ASSERT_TRUE(t.test);
    EXPECT_NEAR(t.outcome.record.w, -52.84, 0.005);
    EXPECT_TRUE(t.test->exceeded);
}

TEST(MeterTolerance, FinerMeterStillPasses)
{
    const Tested t = Tried(WorkedFigure(), {1.0, 1.5});
    ASSERT_TRUE(t.test);
    EXPECT_NEAR(t.test->mw, 1.428, 0.0005);
    EXPECT_NEAR(t.test->limit, 2.856, 0.0005);
    EXPECT_FALSE(t.test->exceeded);
}

TEST(MeterTolerance, LimitIsInclusive)
{
    // |w| equal to the limit passes: choose a so that 2·m_w is just above or below |w|.
    const Tested worked = Tried(WorkedFigure(), {1.0, 0.0});
    ASSERT_TRUE(worked.test);
    const double absW = std::abs(double(worked.outcome.record.w));
    const double a = absW / worked.test->limit;  // σ that puts the limit on |w|
    EXPECT_TRUE(Tried(WorkedFigure(), {a * 0.999, 0.0}).test->exceeded);
    EXPECT_FALSE(Tried(WorkedFigure(), {a * 1.001, 0.0}).test->exceeded);
}

// m_w from the engine's own w: central differences of w in each distance
// give the coefficients independently of how the adjustment writes them.
double MwFromFiniteDifferences(const SurveyRecord& figure, const MeterPrecision& meter)
{
    NullSink sink;
    double sum = 0.0;
    for (int side = 0; side < 3; ++side) {
        const double D = side == 0 ? figure.S1 : side == 1 ? figure.S2 : figure.S3;
        const double h = 0.002;  // 2 mm: far above the single w's resolution, far below the curvature
        auto wAt = [&](double distance) {
            SurveyRecord r = figure;
            (side == 0 ? r.S1 : side == 1 ? r.S2 : r.S3) = distance;
            const CalculationOutcome o = CalculateOutcome(r, sink);
            return double(o.record.w);
        };
        const double derivative = (wAt(D + h) - wAt(D - h)) / (2 * h);  // seconds per metre
        const double sigma = meter.a + meter.b * D / 1000.0;
        sum += std::pow(derivative * sigma / 1000.0, 2);
    }
    return std::sqrt(sum);
}

TEST(MeterTolerance, MwAgreesWithFiniteDifferencesToFourDigits)
{
    const MeterPrecision meter{2.0, 2.0};
    const SurveyRecord shortSides = Figure(100, 100, 130, 140, 95, 175, 45.0, 42.0, 38.0);
    const SurveyRecord longSides = Figure(25000, 26000, 30000, 30000, 24500, 35500, 5099.05, 4123.08, 4743.45);
    for (const SurveyRecord& figure : {WorkedFigure(), shortSides, longSides}) {
        const Tested t = Tried(figure, meter);
        ASSERT_TRUE(t.test) << figure.S1;
        const double independent = MwFromFiniteDifferences(figure, meter);
        EXPECT_NEAR(t.test->mw, independent, independent * 1e-4) << "sides " << figure.S1 << ", " << figure.S2;
    }
}

TEST(MeterTolerance, EqualSigmaGivesMsOverSigma)
{
    const double sigma = 5.0;
    const Tested t = Tried(WorkedFigure(), {sigma, 0.0});
    ASSERT_TRUE(t.test);
    EXPECT_NEAR(std::abs(double(t.outcome.record.w)) / t.test->mw, double(t.outcome.record.ms) / sigma, 1e-6);
}

TEST(MeterTolerance, NoTestBeforeTheCoefficientsAVerdictAfter)
{
    // Stops at the triangle ABP: no coefficients, no verdict.
    EXPECT_FALSE(Tried(Figure(2500, 2600, 3000, 3000, 2450, 3550, 1, 1, 474.345)).test);
    // P on the line AB: w is stored, but the coefficients divide by h1 = 0.
    const Tested onLine = Tried(Figure(0, 0, 3, 4, 3, -4, 2, 7, std::sqrt(23.4)));
    ASSERT_TRUE(onLine.outcome.failure);
    EXPECT_FALSE(onLine.test);
    // Stops at the relative error, long after the coefficients: tested.
    const Tested late = Tried(Figure(-20, -50, 0, 0, 100, 100, 30, std::hypot(50.0, 50.0), std::hypot(150.0, 150.0)));
    ASSERT_TRUE(late.outcome.failure);
    EXPECT_EQ(late.outcome.failure->step(), Step::RelativeError);
    EXPECT_TRUE(late.test);
}

}  // namespace
}  // namespace corvanet
