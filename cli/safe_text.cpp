#include "cli/safe_text.h"

namespace corvanet {

char* WriteCsvTextCell(char* out, std::string_view text)
{
    const bool formula = !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quoted) *out++ = '"';
    if (formula) *out++ = '\'';
    for (char c : text) {
        if (c == '"') *out++ = '"';
        *out++ = c;
    }
    if (quoted) *out++ = '"';
    return out;
}

}  // namespace corvanet
