#include "engine/outcome.h"

namespace corvanet {

bool CalculationOutcome::PointComputed() const
{
    return !failure || failure->step() > Step::CoordinateYp3;
}

CalculationOutcome CalculateOutcome(SurveyRecord& record, const Constants& k, ResultSink& sink)
{
    CalculationOutcome out;
    out.entered = record;
    out.failure = CalculateInPlace(record, k, sink, out.extras);
    out.record = record;
    return out;
}

std::optional<CalculationFailure> CalculateInPlace(SurveyRecord& record, const Constants& k, ResultSink& sink,
                                                   std::optional<CalculationExtras>& extras)
{
    extras.reset();
    try {
        const CalculationValues values = Calculate(record, k, sink);
        extras = CalculationExtras{ErrorEllipseOf(record, values, k), AdjustmentChecksOf(record, values)};
    } catch (const CalculationFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

}  // namespace corvanet
