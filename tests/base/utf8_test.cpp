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
