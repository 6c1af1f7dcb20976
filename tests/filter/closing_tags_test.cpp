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

// The names a scan would ask about for the start tag at `at`: up to the first ">" or space, and
// that name cut at its first tab or line break.
std::vector<std::string> names_at(std::string_view text, std::size_t at) {
    std::string_view name = text.substr(at + 1);
    name = name.substr(0, name.find_first_of("> "));
    std::vector<std::string> names{std::string(name)};
    if (const std::size_t cut = name.find_first_of("\t\r\n");
        cut != std::string_view::npos && cut > 0)
        names.emplace_back(name.substr(0, cut));
    return names;
}

TEST(ClosingTagFinder, AnswersAsAPlainSearchDoesBeforeAndAfterItsIndexIsBuilt) {
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> coin(0, 3);
    int indexed_runs = 0;
    for (int round = 0; round < 5000; ++round) {
        const std::string text = generated_text(random);
        ClosingTagFinder finder(text);
        // Sometimes a closer that is nowhere builds the index at once.
        if (coin(random) == 0) {
            ASSERT_EQ(finder.find("</nowhere>", 0), std::string_view::npos);
        }
        for (std::size_t at = text.find('<'); at != std::string::npos;
             at = text.find('<', at + 1)) {
            if (at + 1 < text.size() && text[at + 1] == '/')
                continue;
            for (const std::string& name : names_at(text, at)) {
                const std::string closer = std::string("</").append(name).append(">");
                ASSERT_EQ(finder.find(closer, at), text.find(closer, at))
                    << "text: " << text << "\ncloser: " << closer << "\nfrom: " << at;
            }
        }
        indexed_runs += finder.indexed() ? 1 : 0;
    }
    EXPECT_GT(indexed_runs, 1000) << "too few texts reached the index";
}

TEST(ClosingTagFinder, EveryClosingTagOfALongRunOfSlashesIsFound) {
    // Every "</" of the run begins a closing tag of its own: "</" k times, then "a>". Start tags
    // before the run ask for some of them (their names end at a space, as attributes begin).
    const auto slashes = [](std::size_t times) {
        std::string text;
        for (std::size_t n = 0; n < times; ++n)
            text += "</";
        return text;
    };
    const std::size_t depth = 10'000;
    const std::size_t asked[] = {1, 2, 101, depth};
    std::string text;
    std::vector<std::size_t> tag_starts;
    for (const std::size_t k : asked) {
        tag_starts.push_back(text.size());
        text.append("<").append(slashes(k - 1)).append("a x> ");
    }
    text.append(slashes(depth)).append("a>");
    ClosingTagFinder finder(text);
    ASSERT_EQ(finder.find("</nowhere>", 0), std::string_view::npos);
    ASSERT_TRUE(finder.indexed());
    for (std::size_t at = 0; at < std::size(asked); ++at) {
        const std::string closer = slashes(asked[at]).append("a>");
        EXPECT_EQ(finder.find(closer, tag_starts[at]), text.size() - closer.size())
            << asked[at] << " slashes";
    }
    EXPECT_EQ(finder.find(slashes(depth + 1).append("a>"), text.size() - 1),
              std::string_view::npos);
}

}  // namespace
}  // namespace gpais
