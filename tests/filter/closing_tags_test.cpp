#include "filter/closing_tags.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "filter/modular_hash.hpp"

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

// The index finds a token by its hash; a product that is wrong in one build only would make that
// build miss or confuse closing tags. Each expected remainder follows from 2^61 = 1 modulo the
// prime, and the operands reach the edges of the partial products: the 32-bit halves, the
// 29 bits that the middle product folds at, the largest operand below the prime.
TEST(ClosingTagFinder, HashProductsAreTheSameRemaindersOnEveryBuild) {
    constexpr std::uint64_t prime = modular::modulus;
    struct Case {
        const char* name;
        std::uint64_t a;
        std::uint64_t b;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {"zero", 0, prime - 1, 0},
        {"one", 1, prime - 1, prime - 1},
        {"minus one squared", prime - 1, prime - 1, 1},
        {"minus two times minus one", prime - 2, prime - 1, 2},
        {"2^32 squared is 2^64, which is 8", std::uint64_t{1} << 32, std::uint64_t{1} << 32, 8},
        {"2^60 times 2", std::uint64_t{1} << 60, 2, 1},
        {"2^60 squared is 2^59", std::uint64_t{1} << 60, std::uint64_t{1} << 60,
         std::uint64_t{1} << 59},
        {"low halves only, 2^31 times 2^30", std::uint64_t{1} << 31, std::uint64_t{1} << 30, 1},
        {"middle product at its fold, 2^29 times 2^32", std::uint64_t{1} << 29,
         std::uint64_t{1} << 32, 1},
        {"middle product past its fold, 2^33 times 2^28", std::uint64_t{1} << 33,
         std::uint64_t{1} << 28, 1},
        {"all-ones low halves", 0xffffffffu, 0xffffffffu, prime - (std::uint64_t{1} << 33) + 9},
        {"largest chunk times minus one", (std::uint64_t{1} << 56) - 1, prime - 1,
         prime - (std::uint64_t{1} << 56) + 1},
        {"minus one times 2^29", prime - 1, std::uint64_t{1} << 29,
         prime - (std::uint64_t{1} << 29)},
        {"alternating bits", 0x1555555555555555u, 0x0aaaaaaaaaaaaaaau, 0x038e38e38e38e38eu},
        {"mixed digits", 0x0123456789abcdefu, 0x1fedcba987654321u, 0x13460d3d19e7eb67u},
    };
    using Multiply = std::uint64_t (*)(std::uint64_t, std::uint64_t);
    const std::pair<const char*, Multiply> multiplies[] = {
        {"by halves", modular::multiply_by_halves},
#if GPAIS_WIDE_MULTIPLY
        {"wide", modular::multiply_wide},
#endif
        {"this build's", modular::multiply},
    };
    for (const auto& [way, multiply] : multiplies) {
        for (const Case& c : cases) {
            EXPECT_EQ(multiply(c.a, c.b), c.expected) << way << ": " << c.name;
            EXPECT_EQ(multiply(c.b, c.a), c.expected) << way << ": " << c.name << ", swapped";
        }
    }
#if GPAIS_WIDE_MULTIPLY
    // Operands as the hash makes them: random below the prime, and with long runs of ones.
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<std::uint64_t> below_prime(0, prime - 1);
    std::uniform_int_distribution<int> shift(0, 60);
    for (int round = 0; round < 100'000; ++round) {
        std::uint64_t a = below_prime(random);
        std::uint64_t b = below_prime(random);
        if (round % 2 == 1) {
            a = (prime - 1) >> shift(random);
            b |= (prime - 1) >> shift(random);
            b = modular::reduce(b);
        }
        ASSERT_EQ(modular::multiply_by_halves(a, b), modular::multiply_wide(a, b))
            << std::hex << a << " * " << b;
    }
#endif
}

}  // namespace
}  // namespace gpais
