#include "ui/command_line.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    const char* name;
    std::string line;
    std::vector<std::string> expected;
};

const Case cases[] = {
    {"quoted path with a blank is one argument",
     R"("C:\Program\gpais.exe" "C:\My files\list.xml")",
     {R"(C:\Program\gpais.exe)", R"(C:\My files\list.xml)"}},
    {"unquoted path with a blank is cut at the blank",
     R"(gpais.exe C:\My files\list.xml)",
     {"gpais.exe", R"(C:\My)", "files\\list.xml"}},
    {"quotes inside an argument join what they enclose",
     "gpais.exe a\"b c\"d",
     {"gpais.exe", "ab cd"}},
    {"a backslash before a closing quote does not escape it",
     R"(gpais.exe "C:\My files\" next)",
     {"gpais.exe", R"(C:\My files\)", "next"}},
    {"doubled backslashes stay doubled",
     R"(gpais.exe \\server\share\a.xml)",
     {"gpais.exe", R"(\\server\share\a.xml)"}},
    {"empty quotes make an empty argument", "gpais.exe \"\" second", {"gpais.exe", "", "second"}},
    {"empty quotes at the end make an empty argument", "gpais.exe \"\"", {"gpais.exe", ""}},
    {"tabs, CR and LF separate like blanks", "gpais.exe\tone\r\ntwo", {"gpais.exe", "one", "two"}},
    {"runs of blanks make no empty arguments", "  gpais.exe    one   ", {"gpais.exe", "one"}},
    {"blanks inside quotes stay", "gpais.exe \"  two  blanks \"", {"gpais.exe", "  two  blanks "}},
    {"an unclosed quote runs to the end", "gpais.exe \"C:\\a b.xml", {"gpais.exe", "C:\\a b.xml"}},
    {"Lithuanian letters pass unchanged",
     "gpais.exe \"D:\\Sąrašai\\šių metų.xml\"",
     {"gpais.exe", "D:\\Sąrašai\\šių metų.xml"}},
    {"no program name gives no arguments", "", {}},
    {"program alone has no argument 1", "gpais.exe", {"gpais.exe"}},
};

TEST(CommandLine, SplitsAsTheProgramExpects) {
    for (const Case& c : cases) {
        EXPECT_EQ(gpais::ui::split_command_line(c.line), c.expected) << c.name;
    }
}

}  // namespace
