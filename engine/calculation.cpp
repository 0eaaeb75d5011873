#include "engine/calculation.h"

namespace corvanet {

CalculationValues Calculate(SurveyRecord& record, ResultSink& sink, std::optional<ConditionCoefficients>& coefficients)
{
    CalculationValues v;
    v.adjustment = AdjustFixedAngle(record, sink, coefficients);
    v.coordinates = ComputeCoordinates(record, v.adjustment, sink);
    v.precision = AssessPrecision(record, v.adjustment, v.coordinates, sink);
    return v;
}

CalculationValues Calculate(SurveyRecord& record, ResultSink& sink)
{
    std::optional<ConditionCoefficients> coefficients;
    return Calculate(record, sink, coefficients);
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
