#include "engine/precision.h"

#include <algorithm>

#include "engine/failure.h"
#include "engine/primitives.h"

namespace corvanet {

Route ChooseRoute(double s1, double s2, double s3)
{
    if (s1 >= s2 && s1 >= s3) return Route::A;
    if (s2 >= s3) return Route::B;
    return Route::C;
}

PrecisionValues AssessPrecision(SurveyRecord& r, const AdjustmentValues& adj, const CoordinateValues& coo,
                                const Constants& k, ResultSink& sink)
{
    return AssessPrecisionByRoute(r, adj, coo, k, sink, ChooseRoute(r.S1, r.S2, r.S3));
}

PrecisionValues AssessPrecisionByRoute(SurveyRecord& r, const AdjustmentValues& adj, const CoordinateValues& coo,
                                       const Constants& k, ResultSink& sink, Route route)
{
    PrecisionValues v;
    const double s1 = r.S1;
    const double s2 = r.S2;
    const double s3 = r.S3;
    v.route = route;

    // Derivatives of P with respect to s1, s2, s3 along the chosen route;
    // the coordinate differences are always taken with the point from A.
    RunStep(Step::Derivatives, [&] {
        Real fx1 = 0.0, fx2 = 0.0, fx3 = 0.0, fy1 = 0.0, fy2 = 0.0, fy3 = 0.0;
        switch (v.route) {
        case Route::A: {
            const Real h = SinDeg(coo.angAPB, k) * s1;  // hA
            const Real dX = Real(r.xp1) - r.Xa;
            const Real dY = Real(r.yp1) - r.Ya;
            fx1 = CosDeg(coo.alphaAP, k) + dY * CosDeg(coo.angAPB, k) / h;
            fx2 = (-dY) / h;
            fy1 = SinDeg(coo.alphaAP, k) - dX * CosDeg(coo.angAPB, k) / h;
            fy2 = dX / h;
            v.h = h.value();
            break;
        }
        case Route::B: {
            const Real h = adj.h2;  // from the measured distances, as the adjustment left it
            const Real dX = Real(r.xp1) - r.Xb;
            const Real dY = Real(r.yp1) - r.Yb;
            fx2 = CosDeg(coo.alphaBP, k) + dY * CosDeg(coo.angBPC, k) / h;
            fx3 = (-dY) / h;
            fy2 = SinDeg(coo.alphaBP, k) - dX * CosDeg(coo.angBPC, k) / h;
            fy3 = dX / h;
            v.h = h.value();
            break;
        }
        case Route::C: {
            const Real h = SinDeg(coo.angBPC, k) * s3;  // hC
            const Real dX = Real(r.xp1) - r.Xc;
            const Real dY = Real(r.yp1) - r.Yc;
            fx2 = dY / h;
            fx3 = CosDeg(coo.alphaCP, k) - dY * CosDeg(coo.angBPC, k) / h;
            fy2 = (-dX) / h;
            fy3 = SinDeg(coo.alphaCP, k) + dX * CosDeg(coo.angBPC, k) / h;
            v.h = h.value();
            break;
        }
        }
        v.fx1 = fx1.value(), v.fx2 = fx2.value(), v.fx3 = fx3.value();
        v.fy1 = fy1.value(), v.fy2 = fy2.value(), v.fy3 = fy3.value();
    });

    RunStep(Step::Sums, [&] {
        const Real fx1 = v.fx1, fx2 = v.fx2, fx3 = v.fx3, fy1 = v.fy1, fy2 = v.fy2, fy3 = v.fy3;
        const Real a1 = adj.a1, a2 = adj.a2, a3 = adj.a3;
        v.ffX = ((fx1 * fx1 + fx2 * fx2) + fx3 * fx3).value();
        v.ffY = ((fy1 * fy1 + fy2 * fy2) + fy3 * fy3).value();
        v.afX = ((a1 * fx1 + a2 * fx2) + a3 * fx3).value();
        v.afY = ((a1 * fy1 + a2 * fy2) + a3 * fy3).value();
    });

    RunStep(Step::WeightReciprocals, [&] {
        const Real afX = v.afX, afY = v.afY;
        r.px = (Real(v.ffX) - afX * afX / adj.Naa).value();
        r.py = (Real(v.ffY) - afY * afY / adj.Naa).value();
    });

    // Each product of the single ms and a double root is narrowed only when stored.
    r.mx = RunStep(Step::ErrorMx, [&] { return ToSingle(Real(r.ms) * Sqrt(r.px)); });
    r.my = RunStep(Step::ErrorMy, [&] { return ToSingle(Real(r.ms) * Sqrt(r.py)); });
    // md from the stored singles, not from the double products.
    r.md = RunStep(Step::ErrorMd, [&] { return ToSingle(Sqrt(Real(r.mx) * r.mx + Real(r.my) * r.my)); });

    for (ResultField field : {ResultField::px, ResultField::py, ResultField::mx, ResultField::my, ResultField::md})
        sink.ShowResult(field, r);

    v.Dmin = std::min({s1, s2, s3});
    r.m = RunStep(Step::RelativeError, [&] { return ToSingle(Real(v.Dmin) * 1000.0 / r.md); });
    sink.ShowResult(ResultField::m, r);
    return v;
}

}  // namespace corvanet
