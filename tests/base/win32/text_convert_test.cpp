#include "base/text_convert.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

struct Case {
    const char* name;
    std::string utf8;
    std::wstring utf16;
};

const Case cases[] = {
    {"Lithuanian letters", "Pranešimas", L"Prane\u0161imas"},
    {"every Lithuanian letter", "ąčęėįšųūžĄČĘĖĮŠŲŪŽ",
     L"\u0105\u010D\u0119\u0117\u012F\u0161\u0173\u016B\u017E"
     L"\u0104\u010C\u0118\u0116\u012E\u0160\u0172\u016A\u017D"},
    {"a path with letters", "C:\\Duomenys\\sąrašas.xml", L"C:\\Duomenys\\s\u0105ra\u0161as.xml"},
    {"a character outside the basic plane", "\xF0\x9F\x93\x84", L"\xD83D\xDCC4"},
    {"embedded NULs cross intact", "XML\0*.xml\0\0"s, L"XML\0*.xml\0\0"s},
    {"empty text", "", L""},
};

TEST(TextConvert, RoundTrips) {
    for (const Case& c : cases) {
        EXPECT_EQ(gpais::to_wide(c.utf8), c.utf16) << c.name;
        EXPECT_EQ(gpais::to_utf8(c.utf16), c.utf8) << c.name;
    }
}

TEST(TextConvert, BrokenUtf8BecomesReplacementCharacters) {
    // A lone lead byte must not swallow the text after it.
    EXPECT_EQ(gpais::to_wide("a\xC5"
                             "b"),
              L"a\uFFFDb");
}

}  // namespace
