#include "text/utf8.h"

namespace corvanet {

Utf8Char Utf8CharAt(std::string_view s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = byte(0);
    if (c < 0x80) return {c, 1, true};
    const Utf8Char stray{c, 1, false};
    std::size_t length = 0;
    char32_t cp = 0;
    unsigned low = 0x80, high = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2, cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3, cp = c & 0x0F;
        if (c == 0xE0) low = 0xA0;  // overlong
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4, cp = c & 0x07;
        if (c == 0xF0) low = 0x90;   // overlong
        if (c == 0xF4) high = 0x8F;  // beyond U+10FFFF
    } else {
        return stray;
    }
    if (s.size() - i < length || byte(1) < low || byte(1) > high) return stray;
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsUtf8Continuation(s[i + k])) return stray;
        cp = (cp << 6) | (byte(k) & 0x3F);
    }
    return {cp, length, true};
}

bool IsUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Char ch = Utf8CharAt(bytes, i);
        if (!ch.wellFormed || (ch.codePoint >= 0xD800 && ch.codePoint <= 0xDFFF)) return false;
        i += ch.length;
    }
    return true;
}

std::string Excerpt(std::string_view s, std::size_t maxCharacters)
{
    std::size_t i = 0;
    for (std::size_t count = 0; i < s.size() && count < maxCharacters; ++count) i += Utf8CharAt(s, i).length;
    return i < s.size() ? std::string(s.substr(0, i)) + "…" : std::string(s);
}

}  // namespace corvanet
