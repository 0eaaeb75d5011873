#pragma once
// Fixed-angle condition adjustment of the three measured distances: one
// condition, the two angles at B of the triangles ABP and PBC must fill the
// angle that A, B and C determine.
#include <optional>

#include "engine/constants.h"
#include "engine/failure.h"
#include "engine/result_sink.h"
#include "engine/survey_record.h"

namespace corvanet {

// Working values of one adjustment. Those marked are handed on to the
// coordinates and the precision assessment of the same calculation.
struct AdjustmentValues {
    double DBA = 0.0;      // handed on
    double alphaBA = 0.0;  // handed on
    double DBC = 0.0;      // handed on
    double alphaBC = 0.0;  // handed on
    double angBAP = 0.0;
    double angABP = 0.0;
    double angAPB = 0.0;
    double h1 = 0.0;
    double angBPC = 0.0;
    double angPBC = 0.0;
    double h2 = 0.0;  // handed on: from the measured distances
    double alphaBCcalc = 0.0;
    double a1 = 0.0;  // a1..a3, Naa handed on
    double a2 = 0.0;
    double a3 = 0.0;
    double Naa = 0.0;
    double dS1 = 0.0;
    double dS2 = 0.0;
    double dS3 = 0.0;
    double corrSqSum = 0.0;
};

// The misclosure of the fixed-angle condition: the azimuth of B→A carried
// through the two angles at B (brought back into range from below only),
// compared with B→C in seconds of arc and brought across the seam at north.
struct Misclosure {
    Real alphaBCcalc;  // degrees
    Real seconds;
};
Misclosure CarriedMisclosure(Real alphaBA, Real angABP, Real angPBC, Real alphaBC);

// Takes the single-precision copy of the accepted measured distance `side`
// (1, 2 or 3: S1obs from S1 and so on). A distance beyond the single range
// throws CalculationFailure with the overflow fault, and the copy keeps its
// earlier value.
void TakeObservedCopy(SurveyRecord& record, int side);

// Derivatives of the condition with respect to S1, S2, S3, in seconds of arc
// per metre.
struct ConditionCoefficients {
    double a1;
    double a2;
    double a3;
};

// Reads the inputs of `record`, writes w, ms and the adjusted S1..S3.
// Throws CalculationFailure at the failing step; fields written before it
// keep their new values, and `coefficients` holds the condition's once they
// are worked out, whatever fails after them.
AdjustmentValues AdjustFixedAngle(SurveyRecord& record, ResultSink& sink,
                                  std::optional<ConditionCoefficients>& coefficients);
AdjustmentValues AdjustFixedAngle(SurveyRecord& record, ResultSink& sink);

}  // namespace corvanet
