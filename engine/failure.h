#pragma once
// A calculation that has no value for its inputs stops at the step that
// failed. The failure names that step and says in the program's own words
// what is wrong with the figure.
#include <stdexcept>
#include <string>

#include "engine/checked_real.h"

namespace corvanet {

enum class Step {
    // the single-precision copies of the measured distances, taken at entry
    ObservedS1,
    ObservedS2,
    ObservedS3,
    // adjustment of the measured distances
    DirectionBA,
    DirectionBC,
    MeasuredDistances,
    AngleBAP,
    AngleABP,
    AngleAPB,
    HeightH1,
    AngleBPC,
    AnglePBC,
    HeightH2,
    Misclosure,
    Coefficients,
    NormalEquation,
    Correlate,
    Corrections,
    MeanSquareError,
    AdjustedDistances,
    // coordinates of P
    AdjustedAngleBAP,
    AdjustedAngleABP,
    AdjustedAngleAPB,
    AdjustedAngleBPC,
    AdjustedAnglePBC,
    AdjustedAngleBCP,
    AzimuthAP,
    AzimuthBP,
    AzimuthCP,
    CoordinateXp1,
    CoordinateYp1,
    CoordinateXp2,
    CoordinateYp2,
    CoordinateXp3,
    CoordinateYp3,
    // precision assessment
    Derivatives,
    Sums,
    WeightReciprocals,
    ErrorMx,
    ErrorMy,
    ErrorMd,
    RelativeError,
};

// A stable identifier, e.g. "adjustment.angBAP".
const char* StepId(Step step);
// The step as the user reads it, e.g. "平差：三角形 ABP 中 A 点的角".
const char* StepText(Step step);

class CalculationFailure : public std::runtime_error {
public:
    CalculationFailure(Step step, std::string message);
    CalculationFailure(Step step, Fault fault);

    Step step() const { return step_; }
    const std::string& message() const { return message_; }

private:
    Step step_;
    std::string message_;
};

// What the failure of `fault` at `step` means for the figure.
std::string FailureMessage(Step step, Fault fault);

// Runs one step of the calculation; an arithmetic fault inside it becomes
// the failure of that step.
template <class Body>
auto RunStep(Step step, Body&& body) -> decltype(body())
{
    try {
        return body();
    } catch (const ArithmeticFault& f) {
        throw CalculationFailure(step, f.fault);
    }
}

}  // namespace corvanet
