#pragma once
// A name from the input shown where its control characters would do harm:
// a terminal (the command line's summary and report) or a drawing (the
// sketch, in the window and as an SVG file). One rule for both, so a name
// reads the same everywhere it is shown escaped.
#include <cstddef>
#include <string>
#include <string_view>

namespace corvanet {

// `utf8` with every control character shown escaped: \t, \r, \n, \e as
// such, other C0 and DEL as \xHH, C1 and the bidirectional controls as
// \uHHHH, so that nothing in a name can move the cursor, ring the bell or
// reorder what the terminal shows.
std::string TerminalSafe(std::string_view utf8);

// TerminalSafe, and further for a drawing that may be an XML document:
// the noncharacters (U+FFFE, U+FFFF among them), the surrogates and the
// line and paragraph separators as \uHHHH, and each byte that is not part
// of well-formed UTF-8 as U+FFFD. The result is one line of text that
// XML 1.0 accepts as it is.
std::string DrawingSafe(std::string_view utf8);

}  // namespace corvanet
