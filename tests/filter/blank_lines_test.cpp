#include "filter/blank_lines.hpp"

#include <gtest/gtest.h>

#include <string>

namespace gpais {
namespace {

struct BlankLinesCase {
    const char* name;
    std::string input;
    std::string expected;
};

TEST(BlankLines, DropsBlankLinesAndKeepsTheRestByteForByte) {
    const BlankLinesCase cases[] = {
        {"empty document stays empty", "", ""},
        {"line of two spaces between items goes with its CR LF",
         "<item>A</item>\r\n  \r\n<item>B</item>", "<item>A</item>\r\n<item>B</item>"},
        {"final CR LF after the list stays", "</produktai>\r\n", "</produktai>\r\n"},
        {"blank last line goes alone, CR LF before it stays", "</produktai>\r\n  ",
         "</produktai>\r\n"},
        {"LF-only document is one line and unchanged", "<a>\n\n  \n<b>\n", "<a>\n\n  \n<b>\n"},
        {"several blank lines in a row all go", "A\r\n\r\n \r\n\t\r\n\r\nB\r\n", "A\r\nB\r\n"},
        {"blank first line goes with the CR LF after it", "\r\nA\r\n", "A\r\n"},
        {"tabs-only line is blank", "A\r\n\t\t\r\nB", "A\r\nB"},
        {"spaces and a lone CR make a blank line", "A\r\n  \r \r\nB", "A\r\nB"},
        {"single non-blank byte keeps its line", "A\r\n.\r\nB", "A\r\n.\r\nB"},
        {"document of blank lines only becomes empty", "  \r\n\r\n\t", ""},
        {"lone CR inside a kept line stays", "A\rB\r\n \r\nC", "A\rB\r\nC"},
        {"lone LF line with text is not split", "A\r\n \n x\r\nB", "A\r\n \n x\r\nB"},
        {"blank lines inside a kept position go too",
         "<produktai>\r\n  <p>\r\n    \r\n    <kodas>1</kodas>\r\n  </p>\r\n    "
         "\r\n</produktai>\r\n",
         "<produktai>\r\n  <p>\r\n    <kodas>1</kodas>\r\n  </p>\r\n</produktai>\r\n"},
        {"CR at the very end is part of the last line", "A\r\nB\r", "A\r\nB\r"},
        {"blank CR at the very end is a blank last line", "A\r\n\r", "A\r\n"},
        {"CR CR LF: the first CR belongs to a blank line", "A\r\n\r\r\nB", "A\r\nB"},
        {"non-ASCII bytes are kept", "\xC4\x85\r\n \r\n\xC5\xBE", "\xC4\x85\r\n\xC5\xBE"},
        {"NUL byte is not blank", std::string("A\r\n\0\r\nB", 7), std::string("A\r\n\0\r\nB", 7)},
    };
    for (const BlankLinesCase& c : cases) {
        std::string document = c.input;
        remove_blank_lines(document);
        EXPECT_EQ(document, c.expected) << c.name;
    }
}

TEST(BlankLines, LongDocumentWithManyCutPositionsMatchesLineByLineRule) {
    // Every third line blank, as a scan with many cuts leaves it.
    std::string input;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        const std::string line = "  <p>" + std::to_string(i) + "</p>\r\n";
        input += line;
        expected += line;
        if (i % 3 == 0)
            input += "    \r\n";
    }
    remove_blank_lines(input);
    EXPECT_EQ(input, expected);
}

}  // namespace
}  // namespace gpais
