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
    try {
        const CalculationValues values = Calculate(record, k, sink);
        out.extras = CalculationExtras{ErrorEllipseOf(record, values, k), AdjustmentChecksOf(record, values)};
    } catch (const CalculationFailure& failure) {
        out.failure = failure;
    }
    out.record = record;
    return out;
}

}  // namespace corvanet
