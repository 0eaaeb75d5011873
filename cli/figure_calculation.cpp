#include "cli/figure_calculation.h"

#include "engine/adjustment.h"

namespace corvanet {
namespace {

std::optional<CalculationFailure> TakeObservedCopies(SurveyRecord& record)
{
    try {
        for (int side = 1; side <= 3; ++side) TakeObservedCopy(record, side);
    } catch (const CalculationFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

}  // namespace

CalculationOutcome CalculateFigure(SurveyRecord& record, const Constants& constants, ResultSink& sink)
{
    if (auto failure = TakeObservedCopies(record)) return CalculationOutcome{record, record, failure, std::nullopt};
    return CalculateOutcome(record, constants, sink);
}

std::optional<CalculationFailure> CalculateFigureInPlace(SurveyRecord& record, const Constants& constants,
                                                         ResultSink& sink, std::optional<CalculationExtras>& extras)
{
    extras.reset();
    if (auto failure = TakeObservedCopies(record)) return failure;
    return CalculateInPlace(record, constants, sink, extras);
}

}  // namespace corvanet
