#pragma once
// Figures used across the engine tests, and a sink that records the order
// in which results are shown.
#include <cmath>
#include <vector>

#include "engine/calculation.h"

namespace corvanet::testing {

inline SurveyRecord Figure(double Xa, double Ya, double Xb, double Yb, double Xc, double Yc, double S1, double S2,
                           double S3)
{
    SurveyRecord r;
    r.Xa = Xa, r.Ya = Ya, r.Xb = Xb, r.Yb = Yb, r.Xc = Xc, r.Yc = Yc;
    r.S1 = S1, r.S2 = S2, r.S3 = S3;
    r.S1obs = static_cast<float>(S1), r.S2obs = static_cast<float>(S2), r.S3obs = static_cast<float>(S3);
    return r;
}

inline SurveyRecord WorkedFigure() { return Figure(2500, 2600, 3000, 3000, 2450, 3550, 509.905, 412.308, 474.345); }

class RecordingSink : public ResultSink {
public:
    void ShowResult(ResultField field, const SurveyRecord&) override { shown.push_back(field); }
    std::vector<ResultField> shown;
};

// At least twelve significant digits.
inline double Rel12(double expected) { return std::abs(expected) * 1e-12; }

}  // namespace corvanet::testing

#define EXPECT_12(actual, expected) EXPECT_NEAR((actual), (expected), ::corvanet::testing::Rel12(expected)) \
    << "to 12 significant digits"
