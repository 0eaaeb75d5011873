// The one UTF-8 walker: what it decodes, where it steps byte by byte, and
// what counts as UTF-8 when the input's encoding is being told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/utf8.h"

namespace corvanet {
namespace {

// Each step of the walk over `s`: code point, length, well formed.
std::vector<Utf8Char> Walk(std::string_view s)
{
    std::vector<Utf8Char> steps;
    for (std::size_t i = 0; i < s.size(); i += steps.back().length) steps.push_back(Utf8CharAt(s, i));
    return steps;
}

void ExpectSteps(std::string_view s, const std::vector<Utf8Char>& expected)
{
    const std::vector<Utf8Char> steps = Walk(s);
    ASSERT_EQ(steps.size(), expected.size()) << testing::PrintToString(std::string(s));
    for (std::size_t k = 0; k < steps.size(); ++k) {
        EXPECT_EQ(steps[k].codePoint, expected[k].codePoint) << "step " << k;
        EXPECT_EQ(steps[k].length, expected[k].length) << "step " << k;
        EXPECT_EQ(steps[k].wellFormed, expected[k].wellFormed) << "step " << k;
    }
}

TEST(Utf8Walk, DecodesEachLengthUpToTheLastCodePoint)
{
    ExpectSteps("P\xc3\xa9新\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf",
                {{'P', 1, true}, {0xE9, 2, true}, {0x65B0, 3, true}, {0x1F600, 4, true}, {0x10FFFF, 4, true}});
    // Surrogates decode, so that a caller can name them.
    ExpectSteps("\xed\xa0\x80\xed\xbf\xbf", {{0xD800, 3, true}, {0xDFFF, 3, true}});
}

TEST(Utf8Walk, WhatIsNotUtf8GoesByteByByteAsTheBytesOwnValue)
{
    // Stray continuation, overlong forms, beyond U+10FFFF, a lead byte never used.
    ExpectSteps("\x80\xc0\xaf", {{0x80, 1, false}, {0xC0, 1, false}, {0xAF, 1, false}});
    ExpectSteps("\xe0\x80\xaf", {{0xE0, 1, false}, {0x80, 1, false}, {0xAF, 1, false}});
    ExpectSteps("\xf0\x80\x80\x80", {{0xF0, 1, false}, {0x80, 1, false}, {0x80, 1, false}, {0x80, 1, false}});
    ExpectSteps("\xf4\x90\x80\x80", {{0xF4, 1, false}, {0x90, 1, false}, {0x80, 1, false}, {0x80, 1, false}});
    ExpectSteps("\xf5\xff", {{0xF5, 1, false}, {0xFF, 1, false}});
    // A sequence cut by the end, or broken by a byte that begins a character:
    // the walk takes that byte up again.
    ExpectSteps("\xe6\x96", {{0xE6, 1, false}, {0x96, 1, false}});
    ExpectSteps("\xe6\x96P", {{0xE6, 1, false}, {0x96, 1, false}, {'P', 1, true}});
    ExpectSteps("\x9b[", {{0x9B, 1, false}, {'[', 1, true}});
}

TEST(Utf8Walk, ContinuationBytesAreNoCharacterBoundary)
{
    const std::string s = "新P";
    EXPECT_FALSE(IsUtf8Continuation(s[0]));
    EXPECT_TRUE(IsUtf8Continuation(s[1]));
    EXPECT_TRUE(IsUtf8Continuation(s[2]));
    EXPECT_FALSE(IsUtf8Continuation(s[3]));
}

TEST(Utf8Walk, IsUtf8AcceptsOnlyWellFormedTextWithoutSurrogates)
{
    EXPECT_TRUE(IsUtf8(""));
    EXPECT_TRUE(IsUtf8("P1 新点 \xf0\x9f\x98\x80 \xef\xbf\xbf"));
    EXPECT_FALSE(IsUtf8("\xed\xa0\x80"));           // a surrogate
    EXPECT_FALSE(IsUtf8("\xc1\xbf"));               // overlong
    EXPECT_FALSE(IsUtf8("P\xe6\x96"));              // cut at the end
    EXPECT_FALSE(IsUtf8("\xd0\xc2\xb5\xe3"));       // 新点 in GBK
    EXPECT_FALSE(IsUtf8(std::string_view("\xe6\x96\x00", 3)));
}

}  // namespace
}  // namespace corvanet
