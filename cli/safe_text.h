#pragma once
// Text from the input made safe for where it goes: a terminal, or a
// spreadsheet that opens the CSV.
#include <string>
#include <string_view>

#include "text/escaped_text.h"  // TerminalSafe
#include "text/utf8.h"          // Excerpt

namespace corvanet {

// Writes `text` at `out` as one CSV cell (RFC 4180 quoting); `out` has room
// for CsvTextCellRoom(text) bytes. Returns the end of the cell. A cell a
// spreadsheet would take for a formula (beginning with =, +, -, @, tab or
// CR) gets a leading apostrophe, so that it is shown as text.
char* WriteCsvTextCell(char* out, std::string_view text);
constexpr std::size_t CsvTextCellRoom(std::string_view text) { return 2 * text.size() + 3; }

}  // namespace corvanet
