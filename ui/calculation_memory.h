#pragma once
// What the window remembers of its calculations beside the record: how the
// last one ended, for the sketch and the copy, and the line each value prompt
// accepted, which the Up arrow brings back in the next calculation.
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "engine/outcome.h"

namespace corvanet {

struct LastCalculation {
    // The last calculation that got as far as its computation.
    std::optional<CalculationOutcome> outcome;
    // A later Calculate ended in the entry (Cancel): what `outcome` shows is
    // from an earlier calculation than the last one.
    bool cancelledSince = false;

    // Empty, or the sentence that says the results are from an earlier calculation.
    std::string StaleNote() const;
};

struct CalculationMemory {
    LastCalculation last;
    std::map<std::string, std::string> accepted;  // by value prompt, the line accepted last
    std::function<void()> calculated;             // after every Calculate, however it ended
};

}  // namespace corvanet
