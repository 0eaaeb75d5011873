#include "engine/tolerance.h"

#include "engine/checked_real.h"

namespace corvanet {

std::optional<MisclosureTest> TestMisclosure(const std::optional<ConditionCoefficients>& c,
                                             const std::array<double, 3>& measured, float w,
                                             const MeterPrecision& meter)
{
    if (!c) return std::nullopt;
    try {
        const Real a = meter.a, b = meter.b;
        // The linear form of the data sheets: σ = a + b·D, D in km for mm.
        const Real sigma1 = a + b * Real(measured[0]) / 1000.0;
        const Real sigma2 = a + b * Real(measured[1]) / 1000.0;
        const Real sigma3 = a + b * Real(measured[2]) / 1000.0;
        // a1..a3 are seconds per metre, σ is in mm.
        const Real t1 = Real(c->a1) * sigma1 / 1000.0;
        const Real t2 = Real(c->a2) * sigma2 / 1000.0;
        const Real t3 = Real(c->a3) * sigma3 / 1000.0;
        const Real mw = Sqrt((t1 * t1 + t2 * t2) + t3 * t3);
        const Real limit = mw * 2.0;
        const double absW = w < 0.0f ? -double(w) : double(w);
        return MisclosureTest{meter,
                              {sigma1.value(), sigma2.value(), sigma3.value()},
                              mw.value(),
                              limit.value(),
                              absW > limit.value()};
    } catch (const ArithmeticFault&) {
        // Meter figures out of all proportion: no test rather than a wrong one.
        return std::nullopt;
    }
}

std::optional<MisclosureTest> TestMisclosure(const CalculationOutcome& outcome, const MeterPrecision& meter)
{
    const SurveyRecord& in = outcome.entered;
    return TestMisclosure(outcome.coefficients, {in.S1, in.S2, in.S3}, outcome.record.w, meter);
}

}  // namespace corvanet
