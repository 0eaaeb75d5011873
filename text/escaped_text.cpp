#include "text/escaped_text.h"

#include <cstdio>

namespace corvanet {
namespace {

bool IsBidiControl(char32_t cp)
{
    return (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069) || cp == 0x200E || cp == 0x200F ||
           cp == 0x061C;
}

bool IsNoncharacter(char32_t cp) { return (cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE; }

// The length of the well-formed UTF-8 sequence at `s[i]`, 0 if there is none
// (a stray continuation byte, an overlong form, a truncated sequence, a code
// point beyond U+10FFFF). Encoded surrogates pass: they are escaped as such.
std::size_t WellFormedLength(std::string_view s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = byte(0);
    const std::size_t length = c < 0x80 ? 1 : c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(k) & 0xC0) != 0x80) return 0;
    if ((c == 0xE0 && byte(1) < 0xA0) || (c == 0xF0 && byte(1) < 0x90) || (c == 0xF4 && byte(1) > 0x8F)) return 0;
    return length;
}

std::string Escaped(std::string_view s, bool forDrawing)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (forDrawing && WellFormedLength(s, i) == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
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
        } else if ((cp >= 0x80 && cp <= 0x9F) || IsBidiControl(cp)
                   || (forDrawing && (IsNoncharacter(cp) || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0x2028 || cp == 0x2029))) {
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(cp));
            out += buf;
        } else {
            out.append(s, i, length);
        }
        i += length;
    }
    return out;
}

}  // namespace

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

std::string TerminalSafe(std::string_view utf8) { return Escaped(utf8, false); }

std::string DrawingSafe(std::string_view utf8) { return Escaped(utf8, true); }

}  // namespace corvanet
