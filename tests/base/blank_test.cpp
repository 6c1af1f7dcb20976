#include "base/blank.hpp"

#include <gtest/gtest.h>

#include <string>

namespace gpais {
namespace {

TEST(IsBlank, OnlySpaceTabCrLfAreBlank) {
    struct Case {
        const char* name;
        std::string text;
        bool expected;
    };
    const Case cases[] = {
        {"empty line", "", true},
        {"indentation left by a cut position", "  \t\r\n", true},
        {"a lone CR", "\r", true},
        {"text after indentation", "  <item>", false},
        {"form feed is not blank", "\f", false},
        {"vertical tab is not blank", "\v", false},
        {"a NUL byte is not blank", std::string(1, '\0'), false},
        {"no-break space in UTF-8 is not blank", "\xC2\xA0", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(is_blank(c.text), c.expected) << c.name;
}
}  // namespace
}  // namespace gpais
