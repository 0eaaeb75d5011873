#pragma once
// The misclosure against what the distance meter promises. With one condition
// and three distances ms is only |w| rescaled; whether the measurement is
// acceptable is decided by w against twice its mean square error, propagated
// from the meter's stated precision ±(a mm + b ppm·D).
#include <array>
#include <optional>

#include "engine/outcome.h"

namespace corvanet {

struct MeterPrecision {
    double a = 2.0;  // mm
    double b = 2.0;  // ppm of the distance
};

struct MisclosureTest {
    MeterPrecision meter;
    std::array<double, 3> sigma;  // mm, of S1, S2, S3
    double mw;                    // seconds of arc
    double limit;                 // seconds of arc: twice mw
    bool exceeded;                // |w| > limit
};

// The test of the misclosure `w` (as the record stores it), with the
// condition's coefficients and the measured distances S1..S3 (metres) the
// adjustment worked with. None where the calculation did not reach the
// coefficients, or the meter's figures are out of all proportion.
std::optional<MisclosureTest> TestMisclosure(const std::optional<ConditionCoefficients>& coefficients,
                                             const std::array<double, 3>& measured, float w,
                                             const MeterPrecision& meter);

// The same for a calculation as it is kept.
std::optional<MisclosureTest> TestMisclosure(const CalculationOutcome& outcome, const MeterPrecision& meter);

}  // namespace corvanet
