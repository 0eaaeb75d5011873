#pragma once
// What the window remembers of its calculations beside the record: the last
// calculation's values, for the sketch and the copy, and the line each value
// prompt accepted, which the Up arrow brings back in the next calculation.
// How the last calculation ended is the trace's to say, not the memory's.
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "engine/outcome.h"
#include "text/calculation_ending.h"
#include "ui/known_point_book.h"

namespace corvanet {

struct CalculationMemory {
    // The last calculation that stopped or completed.
    std::optional<CalculationOutcome> last;
    std::map<std::string, std::string> accepted;  // by value prompt, the line accepted last
    // The known points the X prompts of A, B and C take by name; none when
    // there is no job.
    const KnownPointBook* knownPoints = nullptr;
    // After every Calculate, however it ended: what follows a calculation
    // hooks in here.
    std::function<void(const CalculationEnding&)> ended;

    // Keeps what `ending` left, then tells `ended`.
    void Keep(const CalculationEnding& ending);
};

}  // namespace corvanet
