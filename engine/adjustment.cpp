#include "engine/adjustment.h"

#include "engine/primitives.h"

namespace corvanet {
namespace {

// Seconds of arc in a full turn and half a turn.
constexpr double kTurnSeconds = 1296000.0;
constexpr double kHalfTurnSeconds = 648000.0;

struct Direction {
    Real D;      // distance from B
    Real alpha;  // azimuth from B
};

Direction FromB(Real X, Real Y, const SurveyRecord& r)
{
    const Real dx = X - r.Xb;
    const Real dy = Y - r.Yb;
    const Real D = Distance(dx, dy);
    return {D, Azimuth(dx, dy, D)};
}

void RequirePositive(Real S, const char* name)
{
    // Written so that a NaN fails too.
    if (!(S > 0.0)) Real::Throw(Fault::NotPositive, name);
}

// The part of the adjustment that depends on the measured distances alone:
// the misclosure (stored) and the coefficients of the condition.
AdjustmentValues Condition(StepMarker& at, SurveyRecord& r, ResultSink& sink)
{
    const Real S1 = r.S1, S2 = r.S2, S3 = r.S3;

    at(Step::DirectionBA);
    const auto [DBA, alphaBA] = FromB(r.Xa, r.Ya, r);
    at(Step::DirectionBC);
    const auto [DBC, alphaBC] = FromB(r.Xc, r.Yc, r);

    at(Step::MeasuredDistances);
    RequirePositive(S1, "S1");
    RequirePositive(S2, "S2");
    RequirePositive(S3, "S3");

    // Triangle ABP, from the measured distances.
    at(Step::AngleBAP);
    const Real angBAP = TriangleAngle(DBA, S1, S2);
    at(Step::AngleABP);
    const Real angABP = TriangleAngle(DBA, S2, S1);
    at(Step::AngleAPB);
    const Real angAPB = ThirdAngle(angBAP, angABP);
    at(Step::HeightH1);
    const Real h1 = Sin(angAPB * DegToRad) * S2;

    // Triangle PBC. With C on B the angle at P may still come out; name the
    // real cause rather than the triangle inequality.
    at(Step::AngleBPC);
    if (DBC == 0.0) Real::Throw(Fault::ZeroSide);
    const Real angBPC = TriangleAngle(S2, S3, DBC);
    at(Step::AnglePBC);
    const Real angPBC = TriangleAngle(S2, DBC, S3);
    at(Step::HeightH2);
    const Real h2 = Sin(angBPC * DegToRad) * S2;

    // Misclosure: the azimuth of B→A carried through both angles, against B→C.
    at(Step::Misclosure);
    const auto [alphaBCcalc, wSeconds] = CarriedMisclosure(alphaBA, angABP, angPBC, alphaBC);
    r.w = ToSingle(wSeconds);
    sink.ShowResult(ResultField::w, r);

    // Derivatives of the condition, in seconds of arc per metre.
    at(Step::Coefficients);
    const Real a1 = (-Rho) / h1;
    const Real a2 = Rho * (Cos(angAPB * DegToRad) / h1 + Cos(angBPC * DegToRad) / h2);
    const Real a3 = (-Rho) / h2;

    return {
        .DBA = DBA.value(), .alphaBA = alphaBA.value(), .DBC = DBC.value(), .alphaBC = alphaBC.value(),
        .angBAP = angBAP.value(), .angABP = angABP.value(), .angAPB = angAPB.value(), .h1 = h1.value(),
        .angBPC = angBPC.value(), .angPBC = angPBC.value(), .h2 = h2.value(), .alphaBCcalc = alphaBCcalc.value(),
        .a1 = a1.value(), .a2 = a2.value(), .a3 = a3.value(),
    };
}

// The rest, from the condition's values `v`: the correction of the measured
// distances by the one correlate.
AdjustmentValues Adjust(StepMarker& at, SurveyRecord& r, AdjustmentValues v, ResultSink& sink)
{
    const Real S1 = r.S1, S2 = r.S2, S3 = r.S3;
    const Real a1 = v.a1, a2 = v.a2, a3 = v.a3;

    at(Step::NormalEquation);
    const Real Naa = (a1 * a1 + a2 * a2) + a3 * a3;

    // The negation applies to the stored single w.
    at(Step::Correlate);
    const Real k = (-Real(r.w)) / Naa;
    r.k = k.value();

    at(Step::Corrections);
    const Real dS1 = a1 * k;
    const Real dS2 = a2 * k;
    const Real dS3 = a3 * k;

    // One redundant observation: no division of the sum.
    at(Step::MeanSquareError);
    const Real corrSqSum = (dS1 * dS1 + dS2 * dS2) + dS3 * dS3;
    r.ms = ToSingle(Sqrt(corrSqSum) * 1000.0);
    sink.ShowResult(ResultField::ms, r);

    // All three sums are formed before any is stored, so that a distance the
    // adjustment turns negative (A and C swapped) leaves the measured ones.
    at(Step::AdjustedDistances);
    const Real s1 = S1 + dS1;
    const Real s2 = S2 + dS2;
    const Real s3 = S3 + dS3;
    if (!(s1 > 0.0 && s2 > 0.0 && s3 > 0.0)) Real::Throw(Fault::NegativeAdjusted);
    r.S1 = s1.value();
    r.S2 = s2.value();
    r.S3 = s3.value();

    v.Naa = Naa.value();
    v.dS1 = dS1.value();
    v.dS2 = dS2.value();
    v.dS3 = dS3.value();
    v.corrSqSum = corrSqSum.value();
    return v;
}

void TakeCopy(StepMarker& at, SurveyRecord& r, int side)
{
    switch (side) {
    case 1: at(Step::ObservedS1); r.S1obs = ToSingle(r.S1); break;
    case 2: at(Step::ObservedS2); r.S2obs = ToSingle(r.S2); break;
    default: at(Step::ObservedS3); r.S3obs = ToSingle(r.S3); break;
    }
}

}  // namespace

Misclosure CarriedMisclosure(Real alphaBA, Real angABP, Real angPBC, Real alphaBC)
{
    Real alphaBCcalc = (alphaBA - angABP) - angPBC;
    if (alphaBCcalc < 0.0) alphaBCcalc = alphaBCcalc + 360.0;
    Real seconds = (alphaBCcalc - alphaBC) * 3600.0;
    // A direction B→C within seconds of north puts the two azimuths on
    // opposite sides of the seam; one turn brings them together again.
    if (seconds > kHalfTurnSeconds)
        seconds = seconds - kTurnSeconds;
    else if (seconds <= -kHalfTurnSeconds)
        seconds = seconds + kTurnSeconds;
    return {alphaBCcalc, seconds};
}

void TakeObservedCopy(SurveyRecord& record, int side) { RunStage(TakeCopy, record, side); }

AdjustmentValues AdjustFixedAngle(SurveyRecord& record, ResultSink& sink,
                                  std::optional<ConditionCoefficients>& coefficients)
{
    coefficients.reset();
    // Two stages, so that the coefficients are kept even when a later step fails.
    const AdjustmentValues v = RunStage(Condition, record, sink);
    coefficients = ConditionCoefficients{v.a1, v.a2, v.a3};
    return RunStage(Adjust, record, v, sink);
}

AdjustmentValues AdjustFixedAngle(SurveyRecord& record, ResultSink& sink)
{
    std::optional<ConditionCoefficients> coefficients;
    return AdjustFixedAngle(record, sink, coefficients);
}

}  // namespace corvanet
