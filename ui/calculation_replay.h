#pragma once
// A calculation brought back from the job: its inputs typed in again, by the
// program, through the same entry and computation as the user's own, so that
// the boxes, the page, the sketch, the copy and the Up-arrow recall show it
// exactly as when it was computed.
#include "store/job_file.h"
#include "text/calculation_ending.h"

namespace corvanet {

class MainWindow;

// Empties every box, then enters `stored`'s inputs as far as its entry got
// and calculates. The calculation on show is then tested against the meter
// it was recorded with. A failure is not told again: the job says it.
CalculationEnding ReplayCalculation(MainWindow& window, const StoredCalculation& stored);

}  // namespace corvanet
