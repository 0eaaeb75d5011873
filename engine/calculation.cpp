#include "engine/calculation.h"

namespace corvanet {

CalculationValues Calculate(SurveyRecord& record, const Constants& constants, ResultSink& sink)
{
    CalculationValues v;
    v.adjustment = AdjustFixedAngle(record, constants, sink);
    v.coordinates = ComputeCoordinates(record, v.adjustment, constants, sink);
    v.precision = AssessPrecision(record, v.adjustment, v.coordinates, constants, sink);
    return v;
}

std::optional<CalculationFailure> TryCalculate(SurveyRecord& record, const Constants& constants, ResultSink& sink)
{
    try {
        Calculate(record, constants, sink);
    } catch (const CalculationFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

}  // namespace corvanet
