#pragma once
// Many figures at once: one CSV row a figure in, one CSV row of results out,
// as a stream.
#include <functional>
#include <optional>
#include <ostream>

#include "cli/byte_stream.h"
#include "cli/figure_input.h"
#include "engine/tolerance.h"

namespace corvanet {

// The header the input must start with.
extern const char* const kBatchHeader;
// The header of a batch that takes A, B and C by the names of known points.
extern const char* const kNamedBatchHeader;

struct BatchOptions {
    bool byteOrderMark = false;  // start the output with one, for spreadsheets on Chinese Windows
    MeterPrecision meter;        // for the misclosure test of each figure
    // Given each calculation, complete or stopped, once its row is written;
    // a row that could not be read is no calculation.
    std::function<void(const CalculationOutcome&, const std::optional<MisclosureTest>&)> calculated = nullptr;
    // The job's known points, for a batch with the named header; without
    // them that header is refused.
    const KnownPointLookup* knownPoints = nullptr;
};

struct BatchSummary {
    long rows = 0;
    long complete = 0;
    long failed = 0;     // the calculation stopped on a failure
    long malformed = 0;  // the row could not be read
    bool headerOk = false;
};

// The longest row the batch reads; longer rows are malformed.
constexpr std::size_t kMaxBatchRow = std::size_t(1) << 20;

// Reads `read` (header, then name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3 rows, or
// name,A,B,C,S1,S2,S3 with A, B and C known points' names) and
// writes a result row to `write` for each figure as it is done, in blocks,
// and whatever is done before each wait for more input. A malformed row is
// reported on `log` by its line number, and every 10 000 rows `log` gets a
// progress line.
BatchSummary RunBatch(const ReadBytes& read, const WriteBytes& write, std::ostream& log,
                      const BatchOptions& options = {});

}  // namespace corvanet
