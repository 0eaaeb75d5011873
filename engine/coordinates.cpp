#include "engine/coordinates.h"

#include "engine/failure.h"
#include "engine/primitives.h"

namespace corvanet {

CoordinateValues ComputeCoordinates(SurveyRecord& r, const AdjustmentValues& adj, const Constants& k,
                                    ResultSink& sink)
{
    CoordinateValues v;
    const double s1 = r.S1;
    const double s2 = r.S2;
    const double s3 = r.S3;

    // The triangles again, from the adjusted distances.
    v.angBAP = RunStep(Step::AdjustedAngleBAP, [&] { return TriangleAngle(adj.DBA, s1, s2, k).value(); });
    v.angABP = RunStep(Step::AdjustedAngleABP, [&] { return TriangleAngle(adj.DBA, s2, s1, k).value(); });
    v.angAPB = RunStep(Step::AdjustedAngleAPB, [&] { return ThirdAngle(v.angBAP, v.angABP).value(); });
    v.angBPC = RunStep(Step::AdjustedAngleBPC, [&] { return TriangleAngle(s2, s3, adj.DBC, k).value(); });
    v.angPBC = RunStep(Step::AdjustedAnglePBC, [&] { return TriangleAngle(s2, adj.DBC, s3, k).value(); });
    v.angBCP = RunStep(Step::AdjustedAngleBCP, [&] { return ThirdAngle(v.angBPC, v.angPBC).value(); });

    // Azimuths to P, each brought into [0, 360) by one turn at most.
    v.alphaAP = RunStep(Step::AzimuthAP, [&] {
        Real alpha = (Real(adj.alphaBA) + v.angBAP) + 180.0;  // A→B is alphaBA + 180; P lies clockwise of B
        if (alpha >= 360.0) alpha = alpha - 360.0;
        return alpha.value();
    });
    v.alphaBP = RunStep(Step::AzimuthBP, [&] {
        Real alpha = Real(adj.alphaBA) - v.angABP;  // P lies anticlockwise of A, seen from B
        if (alpha < 0.0) alpha = alpha + 360.0;
        return alpha.value();
    });
    v.alphaCP = RunStep(Step::AzimuthCP, [&] {
        Real alpha = (Real(adj.alphaBC) - v.angBCP) - 180.0;  // C→B is alphaBC − 180
        if (alpha < 0.0) alpha = alpha + 360.0;
        return alpha.value();
    });

    // Polar points; each is stored and shown before the next is computed.
    auto store = [&](Step step, ResultField field, double& target, auto formula) {
        target = RunStep(step, [&] { return formula().value(); });
        sink.ShowResult(field, r);
    };
    store(Step::CoordinateXp1, ResultField::xp1, r.xp1, [&] { return CosDeg(v.alphaAP, k) * s1 + r.Xa; });
    store(Step::CoordinateYp1, ResultField::yp1, r.yp1, [&] { return SinDeg(v.alphaAP, k) * s1 + r.Ya; });
    store(Step::CoordinateXp2, ResultField::xp2, r.xp2, [&] { return CosDeg(v.alphaBP, k) * s2 + r.Xb; });
    store(Step::CoordinateYp2, ResultField::yp2, r.yp2, [&] { return SinDeg(v.alphaBP, k) * s2 + r.Yb; });
    store(Step::CoordinateXp3, ResultField::xp3, r.xp3, [&] { return CosDeg(v.alphaCP, k) * s3 + r.Xc; });
    store(Step::CoordinateYp3, ResultField::yp3, r.yp3, [&] { return SinDeg(v.alphaCP, k) * s3 + r.Yc; });
    return v;
}

}  // namespace corvanet
