#include "engine/calculation.h"

namespace corvanet {

CalculationValues Calculate(SurveyRecord& record, ResultSink& sink)
{
    CalculationValues v;
    v.adjustment = AdjustFixedAngle(record, sink);
    v.coordinates = ComputeCoordinates(record, v.adjustment, sink);
    v.precision = AssessPrecision(record, v.adjustment, v.coordinates, sink);
    return v;
}

std::optional<CalculationFailure> TryCalculate(SurveyRecord& record, ResultSink& sink)
{
    try {
        Calculate(record, sink);
    } catch (const CalculationFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

}  // namespace corvanet
