#include "ui/calculation_memory.h"

namespace corvanet {

void CalculationMemory::Keep(const CalculationEnding& ending)
{
    // One cancelled in the entry leaves the last values as they were.
    if (const CalculationOutcome* outcome = ending.outcome()) last = *outcome;
    if (ended) ended(ending);
}

}  // namespace corvanet
