// A name shown escaped: the terminal's rule as the command line has always
// written it, and the drawing's, whose every result is text XML 1.0 takes.
#include <gtest/gtest.h>

#include <random>

#include "text/escaped_text.h"

namespace corvanet {
namespace {

TEST(EscapedText, TerminalRuleEscapesControlsAndKeepsTheRest)
{
    EXPECT_EQ(TerminalSafe("P\x1b[31m1\a"), "P\\e[31m1\\x07");
    EXPECT_EQ(TerminalSafe(std::string("a\0b\t\r\n\x7f", 7)), "a\\x00b\\t\\r\\n\\x7F");
    EXPECT_EQ(TerminalSafe("\xc2\x85 \xe2\x80\xae \xe2\x81\xa8 \xd8\x9c"), "\\u0085 \\u202E \\u2068 \\u061C");
    // What a terminal does not act on stays as it is, even bytes that are not UTF-8.
    EXPECT_EQ(TerminalSafe("新点 \xef\xbf\xbe \xe2\x80\xa8 \xff"), "新点 \xef\xbf\xbe \xe2\x80\xa8 \xff");
}

TEST(EscapedText, TerminalRuleEscapesAStrayByteThatIsAControlOfItsOwn)
{
    // 0x9B is the one-byte CSI of an 8-bit terminal: "\x9b2J" would clear it.
    EXPECT_EQ(TerminalSafe("P\x9b" "2J"), "P\\u009B2J");
    EXPECT_EQ(TerminalSafe("\xe6\x96\x85"), "\xe6\x96\x85");  // 斅 keeps its C1-like last byte
    EXPECT_EQ(TerminalSafe("\xe6\x85"), "\xe6\\u0085");
}

TEST(EscapedText, DrawingRuleAlsoEscapesWhatXmlRefuses)
{
    EXPECT_EQ(DrawingSafe("P\x1b[31m1\a"), "P\\e[31m1\\x07");
    EXPECT_EQ(DrawingSafe("\xef\xbf\xbe\xef\xbf\xbf\xef\xb7\x90\xf4\x8f\xbf\xbf"), "\\uFFFE\\uFFFF\\uFDD0\\u10FFFF");
    EXPECT_EQ(DrawingSafe("\xed\xa0\x80\xed\xbf\xbf"), "\\uD800\\uDFFF");
    EXPECT_EQ(DrawingSafe("a\xe2\x80\xa8" "b\xe2\x80\xa9"), "a\\u2028b\\u2029");
    // Not UTF-8: a stray continuation, an overlong form, a cut sequence, beyond U+10FFFF.
    EXPECT_EQ(DrawingSafe("\x80\xc0\xaf\xe2\x82 \xf4\x90\x80\x80"), "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd "
                                                              "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");
    EXPECT_EQ(DrawingSafe("新点 \xf0\x9f\x98\x80 \xef\xbf\xbd"), "新点 \xf0\x9f\x98\x80 \xef\xbf\xbd");
}

// Each code point of well-formed UTF-8 `s`; false where it is not.
bool CodePoints(const std::string& s, std::vector<char32_t>& out)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        char32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[n] || cp > 0x10FFFF) return false;
        out.push_back(cp);
        i += n;
    }
    return true;
}

TEST(EscapedText, DrawingRuleGivesOneLineOfXmlCharactersWhateverTheBytes)
{
    std::mt19937 random(11);
    const unsigned char likely[] = {0x00, 0x07, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x1B, 'P', 0x7F, 0x80, 0xBF, 0xC0, 0xC2,
                                    0xDF, 0xE0, 0xE2, 0x80, 0xA8, 0xED, 0xA0, 0xEF, 0xBF, 0xBE, 0xF0, 0xF4, 0x8F, 0xFF};
    for (int run = 0; run < 50000; ++run) {
        std::string s;
        for (int k = random() % 10; k > 0; --k)
            s += static_cast<char>(random() % 4 ? likely[random() % sizeof likely] : random() % 256);
        std::vector<char32_t> shown;
        ASSERT_TRUE(CodePoints(DrawingSafe(s), shown)) << "well-formed UTF-8 for " << testing::PrintToString(s);
        for (char32_t cp : shown) {
            const bool xmlChar = cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF)
                                 || (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
            ASSERT_TRUE(xmlChar && cp >= 0x20 && cp != 0x2028 && cp != 0x2029)
                << std::hex << static_cast<unsigned>(cp) << " from " << testing::PrintToString(s);
        }
    }
}

}  // namespace
}  // namespace corvanet
