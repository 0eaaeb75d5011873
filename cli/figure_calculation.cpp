#include "cli/figure_calculation.h"

#include "engine/adjustment.h"

namespace corvanet {

std::optional<CalculationFailure> CalculateFigure(SurveyRecord& record, const Constants& k, ResultSink& sink)
{
    try {
        for (int side = 1; side <= 3; ++side) TakeObservedCopy(record, side);
        Calculate(record, k, sink);
    } catch (const CalculationFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

}  // namespace corvanet
