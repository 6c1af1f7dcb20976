#include "filter/closing_tags.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace gpais {
namespace {

// Texts made of closing-tag fragments: runs of "</" before one ">", names around the seven-byte
// chunks the index hashes by, spaces that put a token out of reach, stray brackets.
std::string generated_text(std::mt19937& random) {
    static const char* const pieces[] = {
        "</",      ">",        "<",         "/",       "a",       "b",      " ",
        "</a>",    "</b>",     "</ab>",     "</a b>",  "</>",     "<a>",    "</abcd>",
        "</abcde", "</abcdef", "</abcdefg", "hijklmn", "</</a>",  "\t",     "</a\t>",
        "x</",     "</a/>",    "</a</a>",   "</<",     "opqrst>", "</a\n>",
    };
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 60);
    std::string text;
    for (int n = length(random); n > 0; --n)
        text += pieces[piece(random)];
    return text;
}

TEST(ClosingTagFinder, AnswersAsAPlainSearchDoesBeforeAndAfterItsIndexIsBuilt) {
    static const char* const closers[] = {
        "</a>",         "</b>",   "</ab>", "</>",        "</abcd>", "</abcdefghijklmn>",
        "</abcdefg>",   "</</a>", "</a/>", "</a</a>",    "</a\t>",  "</abcdeopqrst>",
        "</</</</</a>", "</a\n>", "</<>",  "</missing>",
    };
    std::mt19937 random(20261209);
    std::uniform_int_distribution<std::size_t> closer(0, std::size(closers) - 1);
    std::uniform_int_distribution<std::size_t> step(0, 6);
    int indexed_runs = 0;
    for (int round = 0; round < 5000; ++round) {
        const std::string text = generated_text(random);
        ClosingTagFinder finder(text);
        for (std::size_t from = 0; from <= text.size() + 1; from += step(random)) {
            const std::string_view wanted = closers[closer(random)];
            ASSERT_EQ(finder.find(wanted, from), std::string_view(text).find(wanted, from))
                << "text: " << text << "\ncloser: " << wanted << "\nfrom: " << from;
        }
        indexed_runs += finder.indexed() ? 1 : 0;
    }
    EXPECT_GT(indexed_runs, 1000) << "too few texts reached the index";
}

TEST(ClosingTagFinder, LongRunsOfOpeningSlashesBeforeOneBracketAreEachFound) {
    // Every "</" of the run begins a closing tag of its own, each longer than the last.
    std::string text;
    for (int n = 0; n < 10'000; ++n)
        text += "</";
    text += "a>";
    ClosingTagFinder finder(text);
    EXPECT_EQ(finder.find("</missing>", 0), std::string_view::npos);
    ASSERT_TRUE(finder.indexed());
    EXPECT_EQ(finder.find("</a>", 0), text.size() - 4);
    EXPECT_EQ(finder.find("</</a>", 0), text.size() - 6);
    const std::string longest = text;
    EXPECT_EQ(finder.find(longest, 0), 0u);
    EXPECT_EQ(finder.find(longest, 1), std::string_view::npos);
}

}  // namespace
}  // namespace gpais
