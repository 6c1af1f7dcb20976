#include "base/utf8.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/character_counts.hpp"

namespace gpais {
namespace {

TEST(Utf8Length, CountsSequencesAsTheyAreAnnounced) {
    for (const testing::CharacterCount& c : testing::character_counts)
        EXPECT_EQ(utf8::length(c.text), c.characters) << c.name;
}

TEST(Utf8DropLast, DropsWholeCharacters) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t count;
        std::string expected;
    };
    const Case cases[] = {
        {"extension of an ASCII path", "C:\\d\\list.xml", 4, "C:\\d\\list"},
        {"extension after Lithuanian letters",
         "C:\\s\xC4\x85ra\xC5\xA1"
         "ai.xml",
         4,
         "C:\\s\xC4\x85ra\xC5\xA1"
         "ai"},
        {"multi-byte letters at the end", "x\xC4\x85\xC4\x8D\xC4\x99", 2, "x\xC4\x85"},
        {"nothing to drop", "abc", 0, "abc"},
        {"exactly as long as the count",
         "\xC5\xA1"
         "abc",
         4, ""},
        {"shorter than the count", "ab", 4, ""},
        {"empty text", "", 4, ""},
        {"cut-short sequence is one character",
         "ab\xE2\x82"
         "c",
         2, "ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8::drop_last(c.text, c.count), c.expected) << c.name;
}

// The console receives a long text in pieces; a piece that ended inside a letter would show
// two wrong characters where one right one belongs.
TEST(Utf8PieceEnd, NeverCutsACharacter) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t limit;
        std::size_t expected;
    };
    const Case cases[] = {
        {"empty text", "", 4, 0},
        {"shorter than the limit", "abc", 8, 3},
        {"ASCII cut at the limit", "abcdef", 4, 4},
        {"letter across the limit stays whole for the next piece", "abc\xC5\xA1", 4, 3},
        {"letter ending at the limit", "ab\xC5\xA1x", 4, 4},
        {"four-byte letter across the limit",
         "a\xF0\x9F\x98\x80"
         "b",
         3, 1},
        {"first letter longer than the limit is taken whole",
         "\xE2\x82\xAC"
         "a",
         2, 3},
        {"cut-short sequence is one character",
         "a\xE2\x82"
         "bc",
         3, 3},
        {"stray continuation bytes count one each", "\x80\x80\x80", 2, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8::piece_end(c.text, c.limit), c.expected) << c.name;
}

// A code shown to the person keeps only sequences a strict decoder accepts; anything else
// would show as a wrong letter, or several, in a message.
TEST(Utf8WellFormedLength, AcceptsWhatAStrictDecoderAccepts) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t expected;
    };
    const Case cases[] = {
        {"ASCII byte", "A", 1},
        {"two-byte letter", "\xC4\x85", 2},
        {"three-byte sign", "\xE2\x82\xAC", 3},
        {"four-byte emoji", "\xF0\x9F\x98\x80", 4},
        {"last value below the surrogates", "\xED\x9F\xBF", 3},
        {"U+10FFFF, the last value", "\xF4\x8F\xBF\xBF", 4},
        {"overlong two-byte form", "\xC0\xAF", 0},
        {"overlong three-byte form", "\xE0\x80\xAF", 0},
        {"overlong four-byte form", "\xF0\x8F\xBF\xBF", 0},
        {"surrogate", "\xED\xA0\x80", 0},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"lead byte that no value has", "\xF5\x80\x80\x80", 0},
        {"stray continuation byte", "\x80", 0},
        {"cut short by the end of the text", "\xE2\x82", 0},
        {"third byte not a continuation",
         "\xE2\x82"
         "A",
         0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8::well_formed_length(c.text, 0), c.expected) << c.name;
}

// A UTF-16 error log reaches the code set through these bytes; a letter at the edge of a range
// written with the wrong number of bytes would make a code that no list holds.
TEST(Utf8Append, WritesEachRangesEdgesWellFormed) {
    struct Case {
        char32_t code_point;
        std::string expected;
    };
    const Case cases[] = {
        {0x41, "A"},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFD, "\xEF\xBF\xBD"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const Case& c : cases) {
        std::string text = "x";
        utf8::append(text, c.code_point);
        EXPECT_EQ(text, "x" + c.expected) << std::hex << static_cast<unsigned long>(c.code_point);
        EXPECT_EQ(utf8::well_formed_length(text, 1), c.expected.size())
            << std::hex << static_cast<unsigned long>(c.code_point);
    }
}

}  // namespace
}  // namespace gpais
