#include "ui/path_field.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* name;
    std::string text;
    std::string expected;
};

const Case cases[] = {
    {"path copied as path in Explorer",
     "\"C:\\Mano failai\\s\xC4\x85ra\xC5\xA1"
     "as.xml\"",
     "C:\\Mano failai\\s\xC4\x85ra\xC5\xA1"
     "as.xml"},
    {"plain path unchanged", "C:\\GPAIS\\list.xml", "C:\\GPAIS\\list.xml"},
    {"only one pair dropped", "\"\"C:\\list.xml\"\"", "\"C:\\list.xml\""},
    {"opening quote alone kept", "\"C:\\list.xml", "\"C:\\list.xml"},
    {"closing quote alone kept", "C:\\list.xml\"", "C:\\list.xml\""},
    {"quotes inside kept", "C:\\\"a\"\\list.xml", "C:\\\"a\"\\list.xml"},
    {"blanks outside the quotes keep them", " \"C:\\list.xml\"", " \"C:\\list.xml\""},
    {"a lone quote is no pair", "\"", "\""},
    {"two quotes leave nothing", "\"\"", ""},
    {"empty field", "", ""},
};

TEST(PathField, DropsOnePairOfQuotesAroundTheWholePath) {
    for (const Case& c : cases)
        EXPECT_EQ(gpais::ui::path_in_field(c.text), c.expected) << c.name;
}

}  // namespace
