#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "rt/to_value.hpp"
#include "rt/value.hpp"

namespace {

using namespace gpais::rt;
using namespace std::string_literals;
using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

struct Case {
    const char* name;
    Value input;
    std::string expected;
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

Value date(int y, unsigned m, unsigned d) {
    return Value(CalendarDate(std::chrono::year_month_day{year{y}, month{m}, day{d}}));
}

class ExpressionText : public ::testing::TestWithParam<Case> {};

TEST_P(ExpressionText, ReadsAsTheReportWritesIt) {
    EXPECT_EQ(expression_text(GetParam().input), GetParam().expected);
    // A report's buffer is sized by this count: a short one would copy the report to grow it.
    EXPECT_EQ(expression_text_size(GetParam().input), GetParam().expected.size());
}

const Case scalars[] = {
    {"nothing", Value{}, "NIL"},
    {"true", Value(true), ".T."},
    {"false", Value(false), ".F."},
    {"integer", Value(10), "10"},
    {"negative_integer", Value(-42), "-42"},
    {"zero", Value(0), "0"},
    {"fraction", Value(2.5), "2.5"},
    {"negative_fraction", Value(-0.125), "-0.125"},
    {"large_fraction_stays_decimal", Value(1e20), "100000000000000000000"},
    {"date", date(2026, 12, 7), "0d20261207"},
    {"early_date_keeps_four_digit_year", date(905, 1, 2), "0d09050102"},
    {"empty_date", Value(CalendarDate{}), "0d00000000"},
    {"impossible_date_is_empty", date(2026, 2, 30), "0d00000000"},
    {"code_block", Value(CodeBlock{}), "{|| ... }"},
    {"function_reference", Value(FunctionRef{"TINKADAT"}), "@TINKADAT()"},
    {"pointer", Value(Pointer{nullptr}), "<pointer>"},
};
INSTANTIATE_TEST_SUITE_P(Scalars, ExpressionText, ::testing::ValuesIn(scalars),
                         [](const auto& info) { return std::string(info.param.name); });

const Case texts[] = {
    {"empty_text", Value(""), "\"\""},
    {"plain_text", Value("abc"), "\"abc\""},
    {"lithuanian_letters_unchanged", Value("Šiaulių"), "\"Šiaulių\""},
    {"double_quote_takes_single_quotes", Value("a\"b"), "'a\"b'"},
    {"single_quote_keeps_double_quotes", Value("a'b"), "\"a'b\""},
    {"both_quotes_take_brackets", Value("a\"b'c"), "[a\"b'c]"},
    {"bracket_alone_is_plain", Value("a]b"), "\"a]b\""},
    {"double_quote_and_bracket_take_single_quotes", Value("a\"]"), "'a\"]'"},
    {"all_three_take_escaped_form", Value("a\"b'c]"), "e\"a\\\"b'c]\""},
    {"backslash_unescaped_outside_e_form", Value("C:\\x"), "\"C:\\x\""},
    {"line_feed", Value("a\nb"), "e\"a\\nb\""},
    {"carriage_return_line_feed", Value("a\r\nb"), "e\"a\\r\\nb\""},
    {"nul_byte", Value("a\0b"s), "e\"a\\000b\""},
    {"backslash_doubled_in_e_form", Value("C:\\x\n"), "e\"C:\\\\x\\n\""},
    {"quote_escaped_in_e_form", Value("\"\n"), "e\"\\\"\\n\""},
};
INSTANTIATE_TEST_SUITE_P(Texts, ExpressionText, ::testing::ValuesIn(texts),
                         [](const auto& info) { return std::string(info.param.name); });

const Case collections[] = {
    {"empty_list", Value(List{}), "{}"},
    {"list", Value(List{1, "a", true}), "{1, \"a\", .T.}"},
    {"nested_list", Value(List{List{}, List{1, List{2}}}), "{{}, {1, {2}}}"},
    {"empty_map", Value(Map{}), "{=>}"},
    {"map_in_insertion_order", Value(Map{{"z", 1}, {"a", 2}}), "{\"z\"=>1, \"a\"=>2}"},
    {"map_key_set_again_keeps_place", Value(Map{{"z", 1}, {"a", 2}, {"z", 3}}),
     "{\"z\"=>3, \"a\"=>2}"},
    {"map_in_list", Value(List{Map{{1, List{}}}, Map{}}), "{{1=>{}}, {=>}}"},
    {"list_of_multiline_text_stays_one_line", Value(List{"a\r\nb", 0}), "{e\"a\\r\\nb\", 0}"},
};
INSTANTIATE_TEST_SUITE_P(Collections, ExpressionText, ::testing::ValuesIn(collections),
                         [](const auto& info) { return std::string(info.param.name); });

// A count that would pass its most stops there, so that a report too long to count reads as
// too long, never as short; in the program the most is the type's maximum.
TEST(ExpressionTextSize, StopsAtTheMost) {
    struct SizeCase {
        const char* name;
        Value input;
        std::size_t most;
        std::size_t expected;
    };
    const SizeCase cases[] = {
        {"text that fills the most is counted whole", Value("abc"), 5, 5},
        {"one byte over stops at the most", Value("abcd"), 5, 5},
        {"elements that pass it together stop there", Value(List{"ab", "cd", "ef"}), 10, 10},
        {"a most of zero counts nothing", Value(""), 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(expression_text_size(c.input, whole_values, c.most), c.expected) << c.name;
}

// A program's variables read as the values the report prints.
struct OwnDate {
    std::optional<std::chrono::year_month_day> value;
    bool empty() const { return !value; }
    std::chrono::year_month_day ymd() const {
        return value.value_or(std::chrono::year_month_day{});
    }
};

TEST(VariableValues, ReadAsTheirKind) {
    const std::vector<std::string> codes{"A1", "B2"};
    const std::optional<int> absent;
    const std::optional<int> present = 4;
    const unsigned long count = 7;
    const OwnDate own{std::chrono::year_month_day{year{2024}, month{2}, day{29}}};
    const OwnDate no_date{};
    const std::string_view slice = "kodas";
    const struct Unknown {
    } unknown;
    const Case cases[] = {
        {"vector_of_texts", to_value(codes), "{\"A1\", \"B2\"}"},
        {"absent_optional", to_value(absent), "NIL"},
        {"present_optional", to_value(present), "4"},
        {"unsigned_number", to_value(count), "7"},
        {"program_date", to_value(own), "0d20240229"},
        {"program_empty_date", to_value(no_date), "0d00000000"},
        {"string_view", to_value(slice), "\"kodas\""},
        {"unknown_object", to_value(unknown), "<object>"},
        {"raw_pointer", to_value(&count), "<pointer>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(expression_text(c.input), c.expected) << c.name;
}

// A type of the program shows in a report as what it holds when it says so beside itself, as
// the filter's file type does; any other object stays "<object>".
struct FileKind {
    std::string description;
    std::string pattern;
};
[[maybe_unused]] Value to_report_value(const FileKind& kind) {
    return Value(List{kind.description, kind.pattern});
}
struct Unknown {
    int inside = 0;
};

TEST(ReportLevels, TypesThatKnowTheirReportValue) {
    const std::vector<FileKind> kinds{{"GPAIS failai (*.xml)", "*.xml"}};
    const std::vector<Unknown> unknowns{{}};
    EXPECT_EQ(gpais::rt::expression_text(gpais::rt::to_value(kinds)),
              "{{\"GPAIS failai (*.xml)\", \"*.xml\"}}");
    EXPECT_EQ(gpais::rt::expression_text(gpais::rt::to_value(unknowns)), "{<object>}");
}

}  // namespace
