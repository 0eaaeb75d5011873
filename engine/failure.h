#pragma once
// A calculation that has no value for its inputs stops at the step that
// failed. The failure names that step and says in the program's own words
// what is wrong with the figure.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

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
inline constexpr std::size_t kStepCount = static_cast<std::size_t>(Step::RelativeError) + 1;

// A stable identifier, e.g. "adjustment.angBAP".
const char* StepId(Step step);
// The step as the user reads it, e.g. "平差：三角形 ABP 中 A 点的角".
const char* StepText(Step step);

// Why md came out zero, as the relative error's division by zero names it in
// the fault's subject: the misclosure is zero, ms underflowed to zero though
// the misclosure is not, the weight reciprocals px and py are zero, or mx and
// my underflowed to zero.
inline constexpr const char* kZeroMdMisclosure = "w";
inline constexpr const char* kZeroMdUnderflowMs = "ms";
inline constexpr const char* kZeroMdWeights = "px,py";
inline constexpr const char* kZeroMdUnderflowMxMy = "mx,my";

class CalculationFailure : public std::runtime_error {
public:
    // The one place where a fault becomes what the user reads.
    CalculationFailure(Step step, const ArithmeticFault& fault);

    Step step() const { return step_; }
    const std::string& message() const { return message_; }

private:
    CalculationFailure(Step step, std::string message);

    Step step_;
    std::string message_;
};

// The step about to run. A stage marks each step with `at(Step::…)` before
// its formulas, so a fault anywhere in them is the failure of that step.
class StepMarker {
public:
    void operator()(Step step) { current_ = step; }
    Step current() const { return current_; }

private:
    Step current_ = Step::DirectionBA;
};

// Runs `stage(at, args…)`; a fault inside becomes the CalculationFailure of
// the step last marked.
template <class Stage, class... Args>
auto RunStage(Stage&& stage, Args&&... args)
{
    StepMarker at;
    try {
        return stage(at, std::forward<Args>(args)...);
    } catch (const ArithmeticFault& fault) {
        throw CalculationFailure(at.current(), fault);
    }
}

}  // namespace corvanet
