#include "engine/outcome.h"

namespace corvanet {

bool CalculationOutcome::PointComputed() const
{
    return !failure || failure->step() > Step::CoordinateYp3;
}

CalculationOutcome CalculateOutcome(SurveyRecord& record, ResultSink& sink)
{
    CalculationOutcome out;
    out.entered = record;
    out.failure = CalculateInPlace(record, sink, out.extras, out.coefficients);
    out.record = record;
    return out;
}

std::optional<CalculationFailure> CalculateInPlace(SurveyRecord& record, ResultSink& sink,
                                                   std::optional<CalculationExtras>& extras,
                                                   std::optional<ConditionCoefficients>& coefficients)
{
    extras.reset();
    try {
        const CalculationValues values = Calculate(record, sink, coefficients);
        extras = CalculationExtras{ErrorEllipseOf(record, values), AdjustmentChecksOf(record, values)};
    } catch (const CalculationFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

}  // namespace corvanet
