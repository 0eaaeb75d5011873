#include "engine/precision.h"

#include <algorithm>

#include "engine/primitives.h"

namespace corvanet {
namespace {

// What made md zero, from the stored values in the order they were made.
const char* ZeroMdCause(const SurveyRecord& r)
{
    if (r.ms == 0.0f) return r.w == 0.0f ? kZeroMdMisclosure : kZeroMdUnderflowMs;
    if (r.px == 0.0 && r.py == 0.0) return kZeroMdWeights;
    return kZeroMdUnderflowMxMy;
}

PrecisionValues Assess(StepMarker& at, SurveyRecord& r, const AdjustmentValues& adj, const CoordinateValues& coo,
                       ResultSink& sink, Route route)
{
    const Real s1 = r.S1, s2 = r.S2, s3 = r.S3;
    const Real a1 = adj.a1, a2 = adj.a2, a3 = adj.a3, Naa = adj.Naa;
    const Real angAPB = coo.angAPB, angBPC = coo.angBPC;
    const Real alphaAP = coo.alphaAP, alphaBP = coo.alphaBP, alphaCP = coo.alphaCP;

    // Derivatives of P with respect to s1, s2, s3 along the chosen route;
    // the coordinate differences are always taken with the point from A. The
    // distance a route does not use has derivative 0.
    at(Step::Derivatives);
    Real h, fx1 = 0.0, fx2 = 0.0, fx3 = 0.0, fy1 = 0.0, fy2 = 0.0, fy3 = 0.0;
    switch (route) {
    case Route::A: {
        h = Sin(angAPB * DegToRad) * s1;  // hA
        const Real dX = Real(r.xp1) - r.Xa;
        const Real dY = Real(r.yp1) - r.Ya;
        fx1 = Cos(alphaAP * DegToRad) + dY * Cos(angAPB * DegToRad) / h;
        fx2 = (-dY) / h;
        fy1 = Sin(alphaAP * DegToRad) - dX * Cos(angAPB * DegToRad) / h;
        fy2 = dX / h;
        break;
    }
    case Route::B: {
        h = adj.h2;  // from the measured distances, as the adjustment left it
        const Real dX = Real(r.xp1) - r.Xb;
        const Real dY = Real(r.yp1) - r.Yb;
        fx2 = Cos(alphaBP * DegToRad) + dY * Cos(angBPC * DegToRad) / h;
        fx3 = (-dY) / h;
        fy2 = Sin(alphaBP * DegToRad) - dX * Cos(angBPC * DegToRad) / h;
        fy3 = dX / h;
        break;
    }
    case Route::C: {
        h = Sin(angBPC * DegToRad) * s3;  // hC
        const Real dX = Real(r.xp1) - r.Xc;
        const Real dY = Real(r.yp1) - r.Yc;
        fx2 = dY / h;
        fx3 = Cos(alphaCP * DegToRad) - dY * Cos(angBPC * DegToRad) / h;
        fy2 = (-dX) / h;
        fy3 = Sin(alphaCP * DegToRad) + dX * Cos(angBPC * DegToRad) / h;
        break;
    }
    }

    at(Step::Sums);
    const Real ffX = (fx1 * fx1 + fx2 * fx2) + fx3 * fx3;
    const Real ffY = (fy1 * fy1 + fy2 * fy2) + fy3 * fy3;
    const Real afX = (a1 * fx1 + a2 * fx2) + a3 * fx3;
    const Real afY = (a1 * fy1 + a2 * fy2) + a3 * fy3;

    at(Step::WeightReciprocals);
    r.px = (ffX - afX * afX / Naa).value();
    r.py = (ffY - afY * afY / Naa).value();

    // Each product of the single ms and a double root is narrowed only when stored.
    at(Step::ErrorMx);
    r.mx = ToSingle(Real(r.ms) * Sqrt(r.px));
    at(Step::ErrorMy);
    r.my = ToSingle(Real(r.ms) * Sqrt(r.py));
    // md from the stored singles, not from the double products.
    at(Step::ErrorMd);
    r.md = ToSingle(Sqrt(Real(r.mx) * r.mx + Real(r.my) * r.my));

    for (ResultField field : {ResultField::px, ResultField::py, ResultField::mx, ResultField::my, ResultField::md})
        sink.ShowResult(field, r);

    at(Step::RelativeError);
    const Real Dmin = std::min({s1, s2, s3});
    const Real DminMm = Dmin * 1000.0;
    // The division would fail the same way; this names why md is zero.
    if (r.md == 0.0f) Real::Throw(Fault::DivisionByZero, ZeroMdCause(r));
    r.m = ToSingle(DminMm / r.md);
    sink.ShowResult(ResultField::m, r);

    return {
        .route = route, .h = h.value(),
        .fx1 = fx1.value(), .fx2 = fx2.value(), .fx3 = fx3.value(),
        .fy1 = fy1.value(), .fy2 = fy2.value(), .fy3 = fy3.value(),
        .ffX = ffX.value(), .afX = afX.value(), .ffY = ffY.value(), .afY = afY.value(),
        .Dmin = Dmin.value(),
    };
}

}  // namespace

Route ChooseRoute(double s1, double s2, double s3)
{
    if (s1 >= s2 && s1 >= s3) return Route::A;
    if (s2 >= s3) return Route::B;
    return Route::C;
}

PrecisionValues AssessPrecision(SurveyRecord& record, const AdjustmentValues& adj, const CoordinateValues& coo,
                                ResultSink& sink)
{
    return AssessPrecisionByRoute(record, adj, coo, sink, ChooseRoute(record.S1, record.S2, record.S3));
}

PrecisionValues AssessPrecisionByRoute(SurveyRecord& record, const AdjustmentValues& adj, const CoordinateValues& coo,
                                       ResultSink& sink, Route route)
{
    return RunStage(Assess, record, adj, coo, sink, route);
}

}  // namespace corvanet
