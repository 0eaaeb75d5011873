#pragma once
// The one store of a calculation: inputs, and every result the engine keeps.
// Field order and precision are fixed: the singles are narrowed when stored
// and every later use reads the stored single, widened exactly.
#include <string>

namespace corvanet {

struct SurveyRecord {
    std::string PointName;
    double Xa = 0.0;
    double Ya = 0.0;
    double Xb = 0.0;
    double Yb = 0.0;
    double Xc = 0.0;
    double Yc = 0.0;
    double S1 = 0.0;  // measured P–A as typed; after the adjustment the adjusted s1
    double S2 = 0.0;  // measured P–B, then s2
    double S3 = 0.0;  // measured P–C, then s3
    float S1obs = 0.0f;  // the accepted measured distances, the only copies that survive
    float S2obs = 0.0f;
    float S3obs = 0.0f;
    float w = 0.0f;   // misclosure, seconds of arc
    double k = 0.0;   // correlate
    double px = 0.0;  // weight reciprocal of X (the reciprocal itself)
    double py = 0.0;  // weight reciprocal of Y
    float ms = 0.0f;  // mean square error of unit weight, mm
    float mx = 0.0f;
    float my = 0.0f;
    float md = 0.0f;
    float m = 0.0f;   // denominator of the relative error 1/m
    double xp1 = 0.0;
    double yp1 = 0.0;
    double xp2 = 0.0;
    double yp2 = 0.0;
    double xp3 = 0.0;
    double yp3 = 0.0;
};

}  // namespace corvanet
