#include "cli/safe_text.h"

#include "text/utf8.h"

namespace corvanet {

std::string Excerpt(std::string_view s, std::size_t maxCharacters)
{
    std::size_t i = 0;
    for (std::size_t count = 0; i < s.size() && count < maxCharacters; ++count) i += Utf8CharAt(s, i).length;
    return i < s.size() ? std::string(s.substr(0, i)) + "…" : std::string(s);
}

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
