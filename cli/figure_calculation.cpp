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

CalculationOutcome CalculateFigure(SurveyRecord& record, ResultSink& sink)
{
    if (auto failure = TakeObservedCopies(record)) return CalculationOutcome{record, record, failure, std::nullopt};
    return CalculateOutcome(record, sink);
}

std::optional<CalculationFailure> CalculateFigureInPlace(SurveyRecord& record, ResultSink& sink,
                                                         std::optional<CalculationExtras>& extras,
                                                         std::optional<ConditionCoefficients>& coefficients)
{
    extras.reset();
    coefficients.reset();
    if (auto failure = TakeObservedCopies(record)) return failure;
    return CalculateInPlace(record, sink, extras, coefficients);
}

}  // namespace corvanet
