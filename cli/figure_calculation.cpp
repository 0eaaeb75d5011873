#include "cli/figure_calculation.h"

#include "engine/adjustment.h"

namespace corvanet {

CalculationOutcome CalculateFigure(SurveyRecord& record, const Constants& constants, ResultSink& sink)
{
    try {
        for (int side = 1; side <= 3; ++side) TakeObservedCopy(record, side);
    } catch (const CalculationFailure& failure) {
        return CalculationOutcome{record, record, failure, std::nullopt};
    }
    return CalculateOutcome(record, constants, sink);
}

}  // namespace corvanet
