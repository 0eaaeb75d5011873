// Each way a figure can fail: the step it stops at, and the record as it
// stood there (fields before the step new, fields after it as before).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/engine/test_figures.h"

namespace corvanet {
namespace {

using testing::Figure;
using testing::WorkedFigure;
using testing::RecordingSink;

// A record that already holds the worked figure's results, so that a failed
// second calculation shows which fields it reached.
SurveyRecord AfterWorkedFigure()
{
    SurveyRecord r = WorkedFigure();
    NullSink sink;
    Calculate(r, sink);
    return r;
}

// Puts the inputs of `figure` into `previous`, as a second Calculate would.
SurveyRecord SecondEntry(const SurveyRecord& previous, const SurveyRecord& figure)
{
    SurveyRecord r = previous;
    r.Xa = figure.Xa, r.Ya = figure.Ya, r.Xb = figure.Xb, r.Yb = figure.Yb, r.Xc = figure.Xc, r.Yc = figure.Yc;
    r.S1 = figure.S1, r.S2 = figure.S2, r.S3 = figure.S3;
    r.S1obs = figure.S1obs, r.S2obs = figure.S2obs, r.S3obs = figure.S3obs;
    return r;
}

struct Outcome {
    std::optional<CalculationFailure> failure;
    SurveyRecord before;
    SurveyRecord after;
};

Outcome RunSecond(const SurveyRecord& figure)
{
    Outcome o;
    o.before = SecondEntry(AfterWorkedFigure(), figure);
    o.after = o.before;
    NullSink sink;
    o.failure = TryCalculate(o.after, sink);
    return o;
}

void ExpectAdjustmentUntouched(const Outcome& o)
{
    EXPECT_EQ(o.after.w, o.before.w);
    EXPECT_EQ(o.after.k, o.before.k);
    EXPECT_EQ(o.after.ms, o.before.ms);
    EXPECT_EQ(o.after.S1, o.before.S1);
    EXPECT_EQ(o.after.xp1, o.before.xp1);
    EXPECT_EQ(o.after.m, o.before.m);
}

TEST(Failures, BCoincidesWithA)
{
    const Outcome o = RunSecond(Figure(3000, 3000, 3000, 3000, 2450, 3550, 509.905, 412.308, 474.345));
    ASSERT_TRUE(o.failure);
    EXPECT_EQ(o.failure->step(), Step::AngleBAP);
    EXPECT_NE(o.failure->message().find("A 点与 B 点重合"), std::string::npos);
    ExpectAdjustmentUntouched(o);
}

TEST(Failures, BCoincidesWithC)
{
    const Outcome o = RunSecond(Figure(2500, 2600, 3000, 3000, 3000, 3000, 509.905, 412.308, 474.345));
    ASSERT_TRUE(o.failure);
    EXPECT_EQ(o.failure->step(), Step::AngleBPC);
    EXPECT_NE(o.failure->message().find("C 点与 B 点重合"), std::string::npos);
    ExpectAdjustmentUntouched(o);
}

TEST(Failures, MeasuredDistanceZeroOrNegative)
{
    for (double bad : {0.0, -412.308}) {
        const Outcome o = RunSecond(Figure(2500, 2600, 3000, 3000, 2450, 3550, 509.905, bad, 474.345));
        ASSERT_TRUE(o.failure);
        EXPECT_EQ(o.failure->step(), Step::MeasuredDistances);
        EXPECT_NE(o.failure->message().find("S2"), std::string::npos);
        ExpectAdjustmentUntouched(o);
    }
}

TEST(Failures, ExactRightAngleInTriangleABP)
{
    // A = (0, 0), B = (3, 0): DBA = 3, S1 = 4, S2 = 5, so the angle at A is exactly 90.
    const Outcome o = RunSecond(Figure(0, 0, 3, 0, 3, 10, 4, 5, 6));
    ASSERT_TRUE(o.failure);
    EXPECT_EQ(o.failure->step(), Step::AngleBAP);
    EXPECT_NE(o.failure->message().find("直角"), std::string::npos);
    ExpectAdjustmentUntouched(o);
}

TEST(Failures, SidesViolateTheTriangleInequality)
{
    const Outcome o = RunSecond(Figure(2500, 2600, 3000, 3000, 2450, 3550, 1, 1, 474.345));
    ASSERT_TRUE(o.failure);
    EXPECT_EQ(o.failure->step(), Step::AngleBAP);
    EXPECT_NE(o.failure->message().find("不能构成三角形 ABP"), std::string::npos);
    ExpectAdjustmentUntouched(o);
}

TEST(Failures, PonTheLineABOutsideTheSegmentAfterWIsShown)
{
    // A = (0, 0), B = (3, 4): DBA = 5; P beyond A on the line, S1 = 2, S2 = 7:
    // the angle at P is exactly 0 and h1 = 0.
    SurveyRecord figure = Figure(0, 0, 3, 4, 3, -4, 2, 7, std::sqrt(23.4));
    RecordingSink sink;
    SurveyRecord r = SecondEntry(AfterWorkedFigure(), figure);
    const SurveyRecord before = r;
    const auto failure = TryCalculate(r, sink);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step(), Step::Coefficients);
    EXPECT_EQ(sink.shown, std::vector<ResultField>{ResultField::w});
    EXPECT_NE(r.w, before.w) << "the new w is stored";
    EXPECT_EQ(r.k, before.k);
    EXPECT_EQ(r.ms, before.ms);
}

TEST(Failures, OverflowIsAFailureNotAFigure)
{
    const Outcome o = RunSecond(Figure(1e308, 0, -1e308, 0, 0, 5, 1, 1, 1));
    ASSERT_TRUE(o.failure);
    EXPECT_EQ(o.failure->step(), Step::DirectionBA);
    EXPECT_NE(o.failure->message().find("溢出"), std::string::npos);
    ExpectAdjustmentUntouched(o);
}

TEST(Failures, ZeroPositionErrorOfAWholeFigureStopsAtTheRelativeError)
{
    // P = (−50, −50), B and C = (100, 100) on one line: the angle at P in the
    // triangle PBC is a hair above zero, the weight reciprocals come out zero,
    // and with them mx, my and md.
    const Outcome o = RunSecond(Figure(-20, -50, 0, 0, 100, 100, 30, std::hypot(50.0, 50.0), std::hypot(150.0, 150.0)));
    ASSERT_TRUE(o.failure);
    EXPECT_EQ(o.failure->step(), Step::RelativeError);
    EXPECT_EQ(o.after.px, 0.0);
    EXPECT_EQ(o.after.md, 0.0f);
    EXPECT_NE(o.after.xp1, o.before.xp1) << "the coordinates are new";
    EXPECT_EQ(o.after.m, o.before.m) << "m keeps the previous figure's value";
    EXPECT_NE(o.failure->message().find("px、py 均为零"), std::string::npos) << o.failure->message();
    EXPECT_NE(o.after.w, 0.0f);
    EXPECT_EQ(o.failure->message().find("闭合差为零"), std::string::npos) << "the misclosure is not zero";
}

// Why md is zero, as the failure tells it: a misclosure that is zero, and
// an ms that underflowed in a figure too small for the singles.
TEST(Failures, ZeroPositionErrorSaysWhyItIsZero)
{
    // A, C mirrored about the line BP: the misclosure is exactly zero.
    const Outcome zero = RunSecond(Figure(-30, -40, 0, 0, -30, 40, 50, 60, 50));
    ASSERT_TRUE(zero.failure);
    EXPECT_EQ(zero.failure->step(), Step::RelativeError);
    EXPECT_EQ(zero.after.w, 0.0f);
    EXPECT_EQ(zero.failure->message(), "点位中误差 md 为零（闭合差为零），无法计算相对中误差 1/m。");

    // The worked figure scaled by 1e-46: the misclosure is the worked one, in
    // seconds, but ms in millimetres is below the smallest single.
    const double s = 1e-46;
    const Outcome tiny = RunSecond(Figure(2500 * s, 2600 * s, 3000 * s, 3000 * s, 2450 * s, 3550 * s, 509.905 * s,
                                          412.308 * s, 474.345 * s));
    ASSERT_TRUE(tiny.failure);
    EXPECT_EQ(tiny.failure->step(), Step::RelativeError);
    EXPECT_NEAR(tiny.after.w, -2.759f, 1e-3f);
    EXPECT_EQ(tiny.after.ms, 0.0f);
    EXPECT_EQ(tiny.failure->message().find("闭合差为零"), std::string::npos) << tiny.failure->message();
    EXPECT_NE(tiny.failure->message().find("ms 下溢为零"), std::string::npos) << tiny.failure->message();
}

TEST(Failures, ZeroPositionErrorStopsBeforeM)
{
    // A zero misclosure makes ms, mx, my and md zero: m would divide by zero.
    SurveyRecord r = AfterWorkedFigure();
    const float mBefore = r.m;
    SurveyRecord figure = WorkedFigure();
    NullSink sink;
    const AdjustmentValues adj = AdjustFixedAngle(figure, sink);
    const CoordinateValues coo = ComputeCoordinates(figure, adj, sink);
    figure.w = 0.0f;
    figure.ms = 0.0f;
    figure.m = mBefore;
    try {
        AssessPrecision(figure, adj, coo, sink);
        FAIL() << "expected the relative error to fail";
    } catch (const CalculationFailure& f) {
        EXPECT_EQ(f.step(), Step::RelativeError);
        EXPECT_NE(f.message().find("md 为零"), std::string::npos);
    }
    EXPECT_EQ(figure.md, 0.0f);
    EXPECT_EQ(figure.m, mBefore);
    EXPECT_NE(figure.px, 0.0) << "px and py are stored before the failure";
}

TEST(Failures, EveryStepHasItsOwnIdAndText)
{
    // The ids are what the command-line tool and its users key on: a row
    // copied without its id changed would make two steps indistinguishable.
    std::set<std::string> ids, texts;
    for (std::size_t i = 0; i < kStepCount; ++i) {
        const Step step = static_cast<Step>(i);
        EXPECT_TRUE(ids.insert(StepId(step)).second) << StepId(step);
        EXPECT_TRUE(texts.insert(StepText(step)).second) << StepText(step);
    }
    const CalculationFailure f(Step::Coefficients, ArithmeticFault{Fault::DivisionByZero});
    EXPECT_EQ(std::string(f.what()), std::string(StepText(Step::Coefficients)) + "：" + f.message());
}

TEST(Failures, ObservedCopyBeyondTheSingleRangeOverflows)
{
    SurveyRecord r = WorkedFigure();
    r.S2 = 1e39;
    const float before = r.S2obs;
    try {
        TakeObservedCopy(r, 2);
        FAIL() << "expected the overflow failure";
    } catch (const CalculationFailure& f) {
        EXPECT_EQ(f.step(), Step::ObservedS2);
        EXPECT_NE(f.message().find("溢出"), std::string::npos);
    }
    EXPECT_EQ(r.S2obs, before) << "nothing stored";
    r.S2 = 3.4e38;  // just inside the single range
    TakeObservedCopy(r, 2);
    EXPECT_EQ(r.S2obs, 3.4e38f);
}

}  // namespace
}  // namespace corvanet
