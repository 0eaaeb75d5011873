#pragma once
// How one press of Calculate ended: cancelled at an input's prompt, stopped by
// a failure, or complete. A calculation that got as far as stopping or
// completing carries what it left; a cancelled one left only the inputs
// stored so far, which stay in the record.
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "engine/outcome.h"

namespace corvanet {

class CalculationEnding {
public:
    // The user cancelled the prompt of the input shown in `box`.
    static CalculationEnding CancelledAt(std::string_view box) { return CalculationEnding(std::string(box), std::nullopt); }
    // Stopped when `outcome` has a failure, complete otherwise.
    static CalculationEnding Finished(CalculationOutcome outcome) { return CalculationEnding({}, std::move(outcome)); }

    bool Cancelled() const { return !outcome_; }
    bool Stopped() const { return outcome_ && outcome_->failure; }
    bool Complete() const { return outcome_ && !outcome_->failure; }

    // The box of the input whose prompt was cancelled; empty otherwise.
    const std::string& cancelledAt() const { return cancelledAt_; }
    // What a stopped or complete calculation left; null when cancelled.
    const CalculationOutcome* outcome() const { return outcome_ ? &*outcome_ : nullptr; }
    // Why it stopped; null unless stopped.
    const CalculationFailure* failure() const { return Stopped() ? &*outcome_->failure : nullptr; }

private:
    CalculationEnding(std::string cancelledAt, std::optional<CalculationOutcome> outcome)
        : cancelledAt_(std::move(cancelledAt)), outcome_(std::move(outcome)) {}

    std::string cancelledAt_;
    std::optional<CalculationOutcome> outcome_;
};

}  // namespace corvanet
