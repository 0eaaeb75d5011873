#include "cli/safe_text.h"

#include <cstdio>

namespace corvanet {
namespace {

// The code point of the UTF-8 sequence at `s[i]` (valid UTF-8 assumed),
// and its length.
char32_t CodePointAt(std::string_view s, std::size_t i, std::size_t& length)
{
    const auto c = static_cast<unsigned char>(s[i]);
    length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (length == 1 || i + length > s.size()) {
        length = 1;
        return c;
    }
    char32_t cp = c & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

bool IsBidiControl(char32_t cp)
{
    return (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069) || cp == 0x200E || cp == 0x200F ||
           cp == 0x061C;
}

}  // namespace

std::string TerminalSafe(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        std::size_t length = 1;
        const char32_t cp = CodePointAt(s, i, length);
        char buf[12];
        if (cp == '\t') {
            out += "\\t";
        } else if (cp == '\r') {
            out += "\\r";
        } else if (cp == '\n') {
            out += "\\n";
        } else if (cp == 0x1B) {
            out += "\\e";
        } else if (cp < 0x20 || cp == 0x7F) {
            std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(cp));
            out += buf;
        } else if ((cp >= 0x80 && cp <= 0x9F) || IsBidiControl(cp)) {
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(cp));
            out += buf;
        } else {
            out.append(s, i, length);
        }
        i += length;
    }
    return out;
}

std::string Excerpt(std::string_view s, std::size_t maxCharacters)
{
    std::size_t i = 0;
    for (std::size_t count = 0; i < s.size() && count < maxCharacters; ++count) {
        std::size_t length = 1;
        CodePointAt(s, i, length);
        i += length;
    }
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
