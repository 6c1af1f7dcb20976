#pragma once
// Texts and how many characters each holds by the rule the filter and the crash report count
// them by: a lead byte takes the continuation bytes it announces, as far as they follow, and a
// stray continuation byte is a character of its own.

#include <cstddef>
#include <string>
#include <vector>

namespace gpais::testing {

struct CharacterCount {
    const char* name;
    std::string text;
    std::size_t characters;
};

inline const std::vector<CharacterCount> character_counts = {
    {"empty", "", 0},
    {"ASCII counts bytes", "abc.xml", 7},
    {"Lithuanian word", "Prane\xC5\xA1imas", 10},
    {"Lithuanian capitals", "ŠĄČ", 3},
    {"three-byte sequence", "\xE2\x82\xAC", 1},
    {"four-byte sequence", "\xF0\x9F\x98\x80", 1},
    {"stray continuation bytes count one each", "\x80\xBF", 2},
    {"stray continuation byte between letters",
     "A\x80"
     "B",
     3},
    {"sequence cut short by ASCII",
     "\xE2\x82"
     "a",
     2},
    {"sequence cut short by the end", "a\xF0\x9F", 2},
    {"lead byte at the end", "AB\xC4", 3},
    {"lead byte directly followed by a lead byte", "\xC5\xC5\xA1", 2},
    {"F8 and above announce three", "\xFF\x80\x80\x80\x80", 2},
    {"windows-1257 letter alone",
     "s\xE0"
     "a",
     3},
};

}  // namespace gpais::testing
