#include "base/console_text.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// A file or a pipe is no console: a script that reads the command's output gets the bytes the
// command holds, UTF-8 for its messages, whatever code page a console would have.
TEST(ConsoleText, FileGetsTheBytesThemselves) {
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"Lithuanian message", "Klaid\xC5\xB3 faile neradau produkt\xC5\xB3 kod\xC5\xB3\n"},
        {"document bytes that are no UTF-8", "<a>\xE0\xE8\r\n</a>"},
        {"empty text", ""},
    };
    for (const Case& c : cases) {
        std::FILE* file = std::tmpfile();
        ASSERT_NE(file, nullptr) << c.name;
        EXPECT_TRUE(gpais::write_text(file, c.text)) << c.name;
        std::rewind(file);
        std::string read(c.text.size() + 8, '\0');
        read.resize(std::fread(read.data(), 1, read.size(), file));
        std::fclose(file);
        EXPECT_EQ(read, c.text) << c.name;
    }
}

}  // namespace
