#pragma once
// Coordinates of the new point P, three times: from A with s1, from B with
// s2 and from C with s3, each a polar computation.
#include "engine/adjustment.h"

namespace corvanet {

// Angles from the adjusted distances, and the azimuths to P.
struct CoordinateValues {
    double angBAP = 0.0;
    double angABP = 0.0;
    double angAPB = 0.0;  // handed on
    double angBPC = 0.0;  // handed on
    double angPBC = 0.0;
    double angBCP = 0.0;
    double alphaAP = 0.0;  // the three azimuths handed on
    double alphaBP = 0.0;
    double alphaCP = 0.0;
};

// Reads the adjusted S1..S3 and the known points, writes xp1..yp3, each
// shown before the next is computed.
CoordinateValues ComputeCoordinates(SurveyRecord& record, const AdjustmentValues& adj,
                                    ResultSink& sink);

}  // namespace corvanet
