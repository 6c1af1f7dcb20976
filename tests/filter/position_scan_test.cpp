#include "filter/position_scan.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/literal_scan.hpp"

namespace gpais {
namespace {

using testing::reference_scan;

// Positions pass when they mention the letter K; the test records every position it is shown.
struct RecordingTest {
    std::vector<std::string>* seen;
    bool operator()(std::string_view position) const {
        seen->emplace_back(position);
        return position.find('K') != std::string_view::npos;
    }
};

struct ScanResult {
    std::string document;
    std::optional<std::size_t> kept;
    std::vector<std::string> seen;
};

ScanResult run_scan(std::string document) {
    ScanResult result;
    const auto anchor = find_list_anchor(document);
    EXPECT_TRUE(anchor.has_value());
    result.kept = scan_positions(document, anchor.value_or(0), RecordingTest{&result.seen});
    result.document = std::move(document);
    return result;
}

TEST(FindListAnchor, FindsTheFirstProduktaiTag) {
    EXPECT_EQ(find_list_anchor("<?xml?><produktai>"), 7u);
    EXPECT_EQ(find_list_anchor("<produktaiSarasas><produktai>"), 0u);
    EXPECT_EQ(find_list_anchor("<produktas><Produktai>"), std::nullopt);
    EXPECT_EQ(find_list_anchor(""), std::nullopt);
}

struct Case {
    const char* name;
    std::string input;
    std::string expected;  // what the scan leaves; the run writes nothing of a refused list
    std::optional<std::size_t> kept;
    std::vector<std::string> seen;
};

void check(const Case& c) {
    const ScanResult result = run_scan(c.input);
    EXPECT_EQ(result.document, c.expected) << c.name;
    EXPECT_EQ(result.kept, c.kept) << c.name;
    EXPECT_EQ(result.seen, c.seen) << c.name;
    std::string literal = c.input;
    std::vector<std::string> literal_seen;
    const std::optional<std::size_t> literal_kept =
        reference_scan(literal, *find_list_anchor(literal), RecordingTest{&literal_seen});
    EXPECT_EQ(literal, result.document) << c.name;
    EXPECT_EQ(literal_kept, result.kept) << c.name;
    EXPECT_EQ(literal_seen, result.seen) << c.name;
}

TEST(ScanPositions, CutsFailingPositionsAndKeepsEverythingElse) {
    const Case cases[] = {
        {"only the passing position stays, indentation stays behind",
         "<produktai v=\"1\">\r\n  <item>A</item>\r\n  <item>K</item>\r\n</produktai>\r\n",
         "<produktai v=\"1\">\r\n  \r\n  <item>K</item>\r\n</produktai>\r\n",
         1,
         {"<item>A</item>", "<item>K</item>"}},
        {"empty list",
         "<?xml version=\"1.0\"?>\n<produktai>\n</produktai>\n",
         "<?xml version=\"1.0\"?>\n<produktai>\n</produktai>\n",
         0,
         {}},
        {"every position passes: unchanged",
         "<produktai>\n<p>K1</p>\n<p>K2</p>\n</produktai>\x1A",
         "<produktai>\n<p>K1</p>\n<p>K2</p>\n</produktai>\x1A",
         2,
         {"<p>K1</p>", "<p>K2</p>"}},
        {"every position fails: blank lines remain",
         "<produktai>\n<p>1</p>\n<p>2</p>\n</produktai>",
         "<produktai>\n\n\n</produktai>",
         0,
         {"<p>1</p>", "<p>2</p>"}},
        {"two failing positions in a row",
         "<produktai><p>1</p><p>2</p><p>K</p></produktai>",
         "<produktai><p>K</p></produktai>",
         1,
         {"<p>1</p>", "<p>2</p>", "<p>K</p>"}},
        {"attributes are not part of the tag name",
         "<produktai><item id=\"7\">A</item></produktai>",
         "<produktai></produktai>",
         0,
         {"<item id=\"7\">A</item>"}},
        {"self-closing with a space reaches the next closing tag",
         "<produktai><item /><item>K</item><item>B</item></produktai>",
         "<produktai><item /><item>K</item></produktai>",
         1,
         {"<item /><item>K</item>", "<item>B</item>"}},
        {"nested same-name element ends the position early",
         "<produktai><p><p>A</p>K</p></produktai>",
         "<produktai>K</p></produktai>",
         0,
         {"<p><p>A</p>"}},
        {"nested elements are not visited",
         "<produktai><p><kodas>A</kodas><q>K</q></p></produktai>",
         "<produktai><p><kodas>A</kodas><q>K</q></p></produktai>",
         1,
         {"<p><kodas>A</kodas><q>K</q></p>"}},
        {"text and anything after the list stay",
         "<x><produktai a='b'>t<p>1</p>t</produktai><p>2</p></x>",
         "<x><produktai a='b'>tt</produktai><p>2</p></x>",
         0,
         {"<p>1</p>"}},
        {"longer list tag name is an anchor too",
         "<produktaiSarasas><p>1</p></produktaiSarasas>",
         "<produktaiSarasas></produktaiSarasas>",
         0,
         {"<p>1</p>"}},
    };
    for (const Case& c : cases)
        check(c);
}

TEST(ScanPositions, SkipsCommentsAndProcessingInstructions) {
    const Case cases[] = {
        {"comment among positions is skipped whole, never tested",
         "<produktai><!-- <p>1</p> --><p>2</p></produktai>",
         "<produktai><!-- <p>1</p> --></produktai>",
         0,
         {"<p>2</p>"}},
        {"processing instruction is skipped",
         "<produktai><?pi <p>1</p> ?><p>2</p></produktai>",
         "<produktai><?pi <p>1</p> ?></produktai>",
         0,
         {"<p>2</p>"}},
        {"empty tag name with its closing tag is a position",
         "<produktai><></><p>K</p></produktai>",
         "<produktai><p>K</p></produktai>",
         1,
         {"<></>", "<p>K</p>"}},
    };
    for (const Case& c : cases)
        check(c);
}

TEST(ScanPositions, SelfClosingStartTagWithoutClosingTagIsAPositionByItself) {
    const Case cases[] = {
        {"written without a space",
         "<produktai><item/><p>1</p></produktai>",
         "<produktai></produktai>",
         0,
         {"<item/>", "<p>1</p>"}},
        {"attribute after a tab",
         "<produktai>\r\n<prekinisVienetas\tid=\"4\"/>\r\n<p>K</p>\r\n</produktai>",
         "<produktai>\r\n\r\n<p>K</p>\r\n</produktai>",
         1,
         {"<prekinisVienetas\tid=\"4\"/>", "<p>K</p>"}},
        {"kept when it passes",
         "<produktai><baterija kodas=\"K\"/><p>1</p></produktai>",
         "<produktai><baterija kodas=\"K\"/></produktai>",
         1,
         {"<baterija kodas=\"K\"/>", "<p>1</p>"}},
        {"with a space and no closing tag anywhere",
         "<produktai><item /><p>K</p></produktai>",
         "<produktai><p>K</p></produktai>",
         1,
         {"<item />", "<p>K</p>"}},
        {"with a space, its name's closing tag later still ends it there",
         "<produktai><item /><p>1</p></item><p>K</p></produktai>",
         "<produktai><p>K</p></produktai>",
         1,
         {"<item /><p>1</p></item>", "<p>K</p>"}},
        {"the same self-closing position many times",
         "<produktai><i/><p>1</p><i/><p>K</p><i/></produktai>",
         "<produktai><p>K</p></produktai>",
         1,
         {"<i/>", "<p>1</p>", "<i/>", "<p>K</p>", "<i/>"}},
    };
    for (const Case& c : cases)
        check(c);
}

TEST(ScanPositions, AttributesAfterATabOrLineBreakEndAtTheClosingTagOfThePlainName) {
    const Case cases[] = {
        {"attributes on lines of their own",
         "<produktai>\r\n  <baterija\r\n        id=\"3\">\r\n    <kodas>K</kodas>\r\n  "
         "</baterija>\r\n  <p>1</p>\r\n</produktai>",
         "<produktai>\r\n  <baterija\r\n        id=\"3\">\r\n    <kodas>K</kodas>\r\n  "
         "</baterija>\r\n  \r\n</produktai>",
         1,
         {"<baterija\r\n        id=\"3\">\r\n    <kodas>K</kodas>\r\n  </baterija>", "<p>1</p>"}},
        {"attribute after a tab, cut",
         "<produktai><baterija\tid=\"3\"><kodas>A</kodas></baterija><p>K</p></produktai>",
         "<produktai><p>K</p></produktai>",
         1,
         {"<baterija\tid=\"3\"><kodas>A</kodas></baterija>", "<p>K</p>"}},
        {"line break right before the bracket",
         "<produktai><item\r\n>A</item><p>K</p></produktai>",
         "<produktai><p>K</p></produktai>",
         1,
         {"<item\r\n>A</item>", "<p>K</p>"}},
        {"a name holding a tab whose own closing tag exists keeps it",
         "<produktai><a\tb>K</a></a\tb><p>1</p></produktai>",
         "<produktai><a\tb>K</a></a\tb></produktai>",
         1,
         {"<a\tb>K</a></a\tb>", "<p>1</p>"}},
        {"a space before the tab: the rules' name already ends at the space",
         "<produktai><a x\ty>K</a><p>1</p></produktai>",
         "<produktai><a x\ty>K</a></produktai>",
         1,
         {"<a x\ty>K</a>", "<p>1</p>"}},
    };
    for (const Case& c : cases)
        check(c);
}

TEST(ScanPositions, RefusesAListItCannotDelimit) {
    const Case cases[] = {
        {"cut off in the middle of a position",
         "<produktai>\r\n<p>K</p>\r\n<p>\r\n<kodas>K</kodas>\r\n<pradet",
         "<produktai>\r\n<p>K</p>\r\n<p>\r\n<kodas>K</kodas>\r\n<pradet",
         std::nullopt,
         {"<p>K</p>"}},
        {"cut off inside a start tag",
         "<produktai><p>1</p><p",
         "<produktai><p",
         std::nullopt,
         {"<p>1</p>"}},
        {"a < at the very end", "<produktai><p>1</p><", "<produktai><", std::nullopt, {"<p>1</p>"}},
        {"an unclosed position among closed ones",
         "<produktai><a><p>1</p></produktai>",
         "<produktai><a><p>1</p></produktai>",
         std::nullopt,
         {}},
        {"a tab after the name, and no closing tag of the plain name",
         "<produktai><item\tid=\"1\">A</produktai>",
         "<produktai><item\tid=\"1\">A</produktai>",
         std::nullopt,
         {}},
        {"an empty name without its closing tag",
         "<produktai><>A</produktai>",
         "<produktai><>A</produktai>",
         std::nullopt,
         {}},
        {"a name that is only a tab",
         "<produktai><\tx>A</produktai>",
         "<produktai><\tx>A</produktai>",
         std::nullopt,
         {}},
        {"nothing after the anchor", "<produktai", "<produktai", std::nullopt, {}},
        {"no tag after the anchor", "<produktai>text", "<produktai>text", std::nullopt, {}},
        {"cut off between two positions",
         "<produktai>\r\n<p>K</p>\r\n<p>1</p>\r\n",
         "<produktai>\r\n<p>K</p>\r\n\r\n",
         std::nullopt,
         {"<p>K</p>", "<p>1</p>"}},
        {"cut off inside the list's closing tag",
         "<produktai><p>1</p><p>K</p></produkt",
         "<produktai><p>K</p></produkt",
         std::nullopt,
         {"<p>1</p>", "<p>K</p>"}},
        {"a comment that never ends",
         "<produktai><p>1</p><!-- <p>K</p><p>2</p></produktai>",
         "<produktai><!-- <p>K</p><p>2</p></produktai>",
         std::nullopt,
         {"<p>1</p>"}},
        {"a processing instruction that never ends",
         "<produktai><?pi <p>1</p></produktai>",
         "<produktai><?pi <p>1</p></produktai>",
         std::nullopt,
         {}},
        {"the first <produktai in a comment before the root: the root is no position",
         "<!-- <produktai> --><gpais><produktai><p>K</p></produktai></gpais>",
         "<!-- <produktai> --><gpais><produktai><p>K</p></produktai></gpais>",
         std::nullopt,
         {"<gpais><produktai><p>K</p></produktai></gpais>"}},
        {"doctype-like markup among the positions",
         "<produktai><!DOCTYPE x><p>1</p></produktai>",
         "<produktai><!DOCTYPE x><p>1</p></produktai>",
         std::nullopt,
         {}},
    };
    for (const Case& c : cases)
        check(c);
}

// Documents built from pieces that real and broken product lists are made of, so that
// positions nest, break off, carry comments and lose their closing tags in every combination.
std::string generated_document(std::mt19937& random) {
    static const char* const pieces[] = {
        "<item>",
        "</item>",
        "<item id=\"K\">",
        "<item />",
        "<item/>",
        "<p>",
        "</p>",
        "<p>K</p>",
        "<kodas>K1</kodas>",
        "<!--",
        "-->",
        "<!-- c -->",
        "<?x?>",
        "<?",
        "?>",
        "<",
        ">",
        "</",
        "K",
        "x",
        " ",
        "\r\n",
        "\t",
        "</produktai>",
        "<produktai>",
        "<item\t>",
        "<></>",
        "<>",
        "<item\r\n id=\"K\">",
        "<b\tid=\"1\"/>",
        "</b>",
        "<item\tx>",
        "</item\tx>",
    };
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 40);
    std::string doc = "<?xml?>\n<produktai a=\"1\">";
    for (int n = length(random); n > 0; --n)
        doc += pieces[piece(random)];
    return doc;
}

TEST(ScanPositions, EqualsTheLiteralRemoveAndLookAgainScan) {
    std::mt19937 random(20240229);
    for (int round = 0; round < 20000; ++round) {
        const std::string input = generated_document(random);
        const ScanResult fast = run_scan(input);
        std::vector<std::string> literal_seen;
        std::string literal = input;
        const std::optional<std::size_t> literal_kept =
            reference_scan(literal, *find_list_anchor(input), RecordingTest{&literal_seen});
        ASSERT_EQ(fast.document, literal) << input;
        ASSERT_EQ(fast.kept, literal_kept) << input;
        ASSERT_EQ(fast.seen, literal_seen) << input;
    }
}

}  // namespace
}  // namespace gpais
