#include "text/escaped_text.h"

#include <cstdio>

#include "text/utf8.h"

namespace corvanet {
namespace {

bool IsBidiControl(char32_t cp)
{
    return (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069) || cp == 0x200E || cp == 0x200F ||
           cp == 0x061C;
}

bool IsNoncharacter(char32_t cp) { return (cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE; }

std::string Escaped(std::string_view s, bool forDrawing)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto [cp, length, wellFormed] = Utf8CharAt(s, i);
        char buf[12];
        // A stray byte stands for its own value: to a terminal one in
        // 0x80..0x9F is a C1 control, escaped as such.
        if (forDrawing && !wellFormed) {
            out += "\xEF\xBF\xBD";
        } else if (cp == '\t') {
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

std::string TerminalSafe(std::string_view utf8) { return Escaped(utf8, false); }

std::string DrawingSafe(std::string_view utf8) { return Escaped(utf8, true); }

}  // namespace corvanet
