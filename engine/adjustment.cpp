#include "engine/adjustment.h"

#include "engine/failure.h"
#include "engine/primitives.h"

namespace corvanet {
namespace {

// Seconds of arc in a full turn and half a turn.
constexpr double kTurnSeconds = 1296000.0;
constexpr double kHalfTurnSeconds = 648000.0;

void RequirePositive(double S, const char* name)
{
    // Written so that a NaN fails too.
    if (!(S > 0.0))
        throw CalculationFailure(Step::MeasuredDistances, std::string("观测边长 ") + name + " 必须大于零。");
}

}  // namespace

void TakeObservedCopy(SurveyRecord& r, int side)
{
    static constexpr Step kStep[] = {Step::ObservedS1, Step::ObservedS2, Step::ObservedS3};
    double SurveyRecord::*const measured[] = {&SurveyRecord::S1, &SurveyRecord::S2, &SurveyRecord::S3};
    float SurveyRecord::*const observed[] = {&SurveyRecord::S1obs, &SurveyRecord::S2obs, &SurveyRecord::S3obs};
    const int i = side - 1;
    r.*observed[i] = RunStep(kStep[i], [&] { return ToSingle(r.*measured[i]); });
}

AdjustmentValues AdjustFixedAngle(SurveyRecord& r, const Constants& k, ResultSink& sink)
{
    AdjustmentValues v;

    // Distance and azimuth from B to a known point.
    auto fromB = [&](double X, double Y, double& D, double& alpha) {
        const Real dx = Real(X) - r.Xb;
        const Real dy = Real(Y) - r.Yb;
        const Real distance = Distance(dx, dy);
        D = distance.value();
        alpha = Azimuth(dx, dy, distance, k).value();
    };
    RunStep(Step::DirectionBA, [&] { fromB(r.Xa, r.Ya, v.DBA, v.alphaBA); });
    RunStep(Step::DirectionBC, [&] { fromB(r.Xc, r.Yc, v.DBC, v.alphaBC); });

    RequirePositive(r.S1, "S1");
    RequirePositive(r.S2, "S2");
    RequirePositive(r.S3, "S3");

    // Triangle ABP.
    v.angBAP = RunStep(Step::AngleBAP, [&] { return TriangleAngle(v.DBA, r.S1, r.S2, k).value(); });
    v.angABP = RunStep(Step::AngleABP, [&] { return TriangleAngle(v.DBA, r.S2, r.S1, k).value(); });
    v.angAPB = RunStep(Step::AngleAPB, [&] { return ThirdAngle(v.angBAP, v.angABP).value(); });
    v.h1 = RunStep(Step::HeightH1, [&] { return (SinDeg(v.angAPB, k) * r.S2).value(); });

    // Triangle PBC. With C on B the first angle may still come out; name
    // the real cause rather than the triangle inequality.
    if (v.DBC == 0.0) throw CalculationFailure(Step::AngleBPC, Fault::ZeroSide);
    v.angBPC = RunStep(Step::AngleBPC, [&] { return TriangleAngle(r.S2, r.S3, v.DBC, k).value(); });
    v.angPBC = RunStep(Step::AnglePBC, [&] { return TriangleAngle(r.S2, v.DBC, r.S3, k).value(); });
    v.h2 = RunStep(Step::HeightH2, [&] { return (SinDeg(v.angBPC, k) * r.S2).value(); });

    // Misclosure: the azimuth of B→A carried through both angles, against B→C.
    RunStep(Step::Misclosure, [&] {
        Real alphaBCcalc = (Real(v.alphaBA) - v.angABP) - v.angPBC;
        if (alphaBCcalc < 0.0) alphaBCcalc = alphaBCcalc + 360.0;
        v.alphaBCcalc = alphaBCcalc.value();
        Real seconds = (alphaBCcalc - v.alphaBC) * 3600.0;
        // A direction B→C within seconds of north puts the two azimuths on
        // opposite sides of the seam; one turn brings them together again.
        if (seconds > kHalfTurnSeconds)
            seconds = seconds - kTurnSeconds;
        else if (seconds <= -kHalfTurnSeconds)
            seconds = seconds + kTurnSeconds;
        r.w = ToSingle(seconds);
    });
    sink.ShowResult(ResultField::w, r);

    // Derivatives of the condition, in seconds of arc per metre.
    RunStep(Step::Coefficients, [&] {
        const Real Rho = static_cast<double>(k.Rho);
        v.a1 = ((-Rho) / v.h1).value();
        v.a2 = (Rho * (CosDeg(v.angAPB, k) / v.h1 + CosDeg(v.angBPC, k) / v.h2)).value();
        v.a3 = ((-Rho) / v.h2).value();
    });
    v.Naa = RunStep(Step::NormalEquation, [&] {
        return ((Real(v.a1) * v.a1 + Real(v.a2) * v.a2) + Real(v.a3) * v.a3).value();
    });
    // The negation applies to the stored single w.
    r.k = RunStep(Step::Correlate, [&] { return ((-Real(r.w)) / v.Naa).value(); });

    RunStep(Step::Corrections, [&] {
        v.dS1 = (Real(v.a1) * r.k).value();
        v.dS2 = (Real(v.a2) * r.k).value();
        v.dS3 = (Real(v.a3) * r.k).value();
    });
    // One redundant observation: no division of the sum.
    RunStep(Step::MeanSquareError, [&] {
        const Real corrSqSum = (Real(v.dS1) * v.dS1 + Real(v.dS2) * v.dS2) + Real(v.dS3) * v.dS3;
        v.corrSqSum = corrSqSum.value();
        r.ms = ToSingle(Sqrt(corrSqSum) * 1000.0);
    });
    sink.ShowResult(ResultField::ms, r);

    // All three sums are formed before any is stored, so that a distance the
    // adjustment turns negative (A and C swapped) leaves the measured ones.
    RunStep(Step::AdjustedDistances, [&] {
        const Real s1 = Real(r.S1) + v.dS1;
        const Real s2 = Real(r.S2) + v.dS2;
        const Real s3 = Real(r.S3) + v.dS3;
        if (!(s1 > 0.0 && s2 > 0.0 && s3 > 0.0))
            throw CalculationFailure(Step::AdjustedDistances,
                                     "平差改正后的边长不大于零，请检查 A、B、C 点的次序是否按自左向右顺序排列。");
        r.S1 = s1.value();
        r.S2 = s2.value();
        r.S3 = s3.value();
    });
    return v;
}

}  // namespace corvanet
