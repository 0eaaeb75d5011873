#include "engine/calculation.h"

namespace corvanet {

CalculationValues Calculate(SurveyRecord& record, const Constants& k, ResultSink& sink)
{
    CalculationValues v;
    v.adjustment = AdjustFixedAngle(record, k, sink);
    v.coordinates = ComputeCoordinates(record, v.adjustment, k, sink);
    v.precision = AssessPrecision(record, v.adjustment, v.coordinates, k, sink);
    return v;
}

std::optional<CalculationFailure> TryCalculate(SurveyRecord& record, const Constants& k, ResultSink& sink)
{
    try {
        Calculate(record, k, sink);
    } catch (const CalculationFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

}  // namespace corvanet
