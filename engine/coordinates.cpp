#include "engine/coordinates.h"

#include "engine/primitives.h"

namespace corvanet {
namespace {

CoordinateValues Compute(StepMarker& at, SurveyRecord& r, const AdjustmentValues& adj,
                         ResultSink& sink)
{
    const Real s1 = r.S1, s2 = r.S2, s3 = r.S3;  // the adjusted distances
    const Real DBA = adj.DBA, DBC = adj.DBC, alphaBA = adj.alphaBA, alphaBC = adj.alphaBC;

    // The triangles again, from the adjusted distances.
    at(Step::AdjustedAngleBAP);
    const Real angBAP = TriangleAngle(DBA, s1, s2);
    at(Step::AdjustedAngleABP);
    const Real angABP = TriangleAngle(DBA, s2, s1);
    at(Step::AdjustedAngleAPB);
    const Real angAPB = ThirdAngle(angBAP, angABP);
    at(Step::AdjustedAngleBPC);
    const Real angBPC = TriangleAngle(s2, s3, DBC);
    at(Step::AdjustedAnglePBC);
    const Real angPBC = TriangleAngle(s2, DBC, s3);
    at(Step::AdjustedAngleBCP);
    const Real angBCP = ThirdAngle(angBPC, angPBC);

    // Azimuths to P, each brought into [0, 360) by one turn at most.
    at(Step::AzimuthAP);
    Real alphaAP = (alphaBA + angBAP) + 180.0;  // A→B is alphaBA + 180; P lies clockwise of B
    if (alphaAP >= 360.0) alphaAP = alphaAP - 360.0;
    at(Step::AzimuthBP);
    Real alphaBP = alphaBA - angABP;  // P lies anticlockwise of A, seen from B
    if (alphaBP < 0.0) alphaBP = alphaBP + 360.0;
    at(Step::AzimuthCP);
    Real alphaCP = (alphaBC - angBCP) - 180.0;  // C→B is alphaBC − 180
    if (alphaCP < 0.0) alphaCP = alphaCP + 360.0;

    // Polar points; each is stored and shown before the next is computed.
    at(Step::CoordinateXp1);
    r.xp1 = (Cos(alphaAP * DegToRad) * s1 + r.Xa).value();
    sink.ShowResult(ResultField::xp1, r);
    at(Step::CoordinateYp1);
    r.yp1 = (Sin(alphaAP * DegToRad) * s1 + r.Ya).value();
    sink.ShowResult(ResultField::yp1, r);
    at(Step::CoordinateXp2);
    r.xp2 = (Cos(alphaBP * DegToRad) * s2 + r.Xb).value();
    sink.ShowResult(ResultField::xp2, r);
    at(Step::CoordinateYp2);
    r.yp2 = (Sin(alphaBP * DegToRad) * s2 + r.Yb).value();
    sink.ShowResult(ResultField::yp2, r);
    at(Step::CoordinateXp3);
    r.xp3 = (Cos(alphaCP * DegToRad) * s3 + r.Xc).value();
    sink.ShowResult(ResultField::xp3, r);
    at(Step::CoordinateYp3);
    r.yp3 = (Sin(alphaCP * DegToRad) * s3 + r.Yc).value();
    sink.ShowResult(ResultField::yp3, r);

    return {
        .angBAP = angBAP.value(), .angABP = angABP.value(), .angAPB = angAPB.value(),
        .angBPC = angBPC.value(), .angPBC = angPBC.value(), .angBCP = angBCP.value(),
        .alphaAP = alphaAP.value(), .alphaBP = alphaBP.value(), .alphaCP = alphaCP.value(),
    };
}

}  // namespace

CoordinateValues ComputeCoordinates(SurveyRecord& record, const AdjustmentValues& adj,
                                    ResultSink& sink)
{
    return RunStage(Compute, record, adj, sink);
}

}  // namespace corvanet
