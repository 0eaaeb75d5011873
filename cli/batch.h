#pragma once
// Many figures at once: one CSV row a figure in, one CSV row of results out.
#include <istream>
#include <ostream>

namespace corvanet {

// The header the input must start with.
extern const char* const kBatchHeader;

struct BatchSummary {
    long rows = 0;
    long complete = 0;
    long failed = 0;     // the calculation stopped on a failure
    long malformed = 0;  // the row could not be read
    bool headerOk = false;
};

// Reads `in` (header, then name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3 rows), writes the
// result rows to `out`; a malformed row is reported on `log` by its line
// number, and on files of more than 10 000 rows `log` gets progress lines.
BatchSummary RunBatch(std::istream& in, std::ostream& out, std::ostream& log);

}  // namespace corvanet
