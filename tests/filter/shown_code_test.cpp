#include "filter/shown_code.hpp"

#include <gtest/gtest.h>

#include <string>

namespace gpais {
namespace {

const std::string fffd = "\xEF\xBF\xBD";

TEST(ShownCode, ABrokenCodeCannotBreakOrFloodTheLine) {
    struct Case {
        const char* name;
        std::string code;
        std::string shown;
    };
    const Case cases[] = {
        {"plain code", "PV-01014", "PV-01014"},
        {"Lithuanian letters and an emoji stay", "ŽĄS-ą1😀", "ŽĄS-ą1😀"},
        {"line breaks, tab, NUL and DEL", std::string("A\r\nB\tC\0D\x7F", 9),
         "A" + fffd + fffd + "B" + fffd + "C" + fffd + "D" + fffd},
        {"windows-1257 bytes, one mark each", "\xE0\xE8-1", fffd + fffd + "-1"},
        {"a cut-short sequence, a mark per byte", "A\xE2\x82", "A" + fffd + fffd},
        {"overlong and surrogate forms are not valid", "\xC0\xAF\xED\xA0\x80",
         fffd + fffd + fffd + fffd + fffd},
        {"above U+10FFFF is not valid", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},
        {"overlong three- and four-byte forms are not valid", "\xE0\x80\xAF\xF0\x8F\xBF\xBF",
         fffd + fffd + fffd + fffd + fffd + fffd + fffd},
        {"a lead byte that no value has is not valid", "\xF5\x80", fffd + fffd},
        {"the edges of the valid ranges stay", "\xED\x9F\xBF\xF4\x8F\xBF\xBF\xE0\xA0\x80",
         "\xED\x9F\xBF\xF4\x8F\xBF\xBF\xE0\xA0\x80"},
        {"exactly 40 characters are shown whole", std::string(39, 'x') + "ž",
         std::string(39, 'x') + "ž"},
        {"41 characters: the first 40 and an ellipsis", std::string(39, 'x') + "žy",
         std::string(39, 'x') + "ž…"},
        {"200 broken bytes: 40 marks and an ellipsis", std::string(200, '\xFF'),
         [] {
             std::string marks;
             for (int n = 0; n < 40; ++n)
                 marks += fffd;
             return marks + "…";
         }()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shown_code(c.code), c.shown) << c.name;
}

}  // namespace
}  // namespace gpais
