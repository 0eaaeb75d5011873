#pragma once
// One walk over UTF-8 text for every layer that reads it character by
// character: escaping a name, cutting an excerpt, measuring a line, telling
// UTF-8 from GB18030. Plain C++, no Qt.
#include <cstddef>
#include <string>
#include <string_view>

namespace corvanet {

struct Utf8Char {
    char32_t codePoint = 0;  // of an ill-formed byte: the byte's own value
    std::size_t length = 1;  // the bytes it takes; an ill-formed byte takes one
    bool wellFormed = false;
};

// The character that starts at `s[i]` (i < s.size()). A sequence is well
// formed when it is the shortest form of a code point up to U+10FFFF, whole
// within `s`. The encoded surrogates count as well formed here, so that a
// caller can name them; IsUtf8 does not accept them. Anything else is one
// ill-formed byte, and the walk goes on at the next.
Utf8Char Utf8CharAt(std::string_view s, std::size_t i);

// Whether a byte continues a sequence rather than beginning a character.
constexpr bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or
// values beyond U+10FFFF).
bool IsUtf8(std::string_view bytes);

// `utf8` cut to its first `maxCharacters` characters, "…" marking a cut.
std::string Excerpt(std::string_view utf8, std::size_t maxCharacters);

}  // namespace corvanet
