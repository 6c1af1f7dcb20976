#include "base/console_text.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/temp_folder.hpp"

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
    const gpais::testing::TempFolder folder;
    for (const Case& c : cases) {
        const auto path = folder.path() / "out.txt";
        // Binary, as the command's standard output is: the CR LF of a document stays as it is.
        std::FILE* file = std::fopen(path.string().c_str(), "wb");
        ASSERT_NE(file, nullptr) << c.name;
        EXPECT_TRUE(gpais::write_text(file, c.text)) << c.name;
        std::fclose(file);
        std::ifstream in(path, std::ios::binary);
        const std::string read{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        EXPECT_EQ(read, c.text) << c.name;
    }
}

}  // namespace
