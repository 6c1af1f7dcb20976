// How a level records its arguments and locals: the two kept apart by their types, an argument
// not passed, locals registered after the level, and what a report reads of the standing levels.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "errors/crash_report.hpp"
#include "rt/call_levels.hpp"

namespace {

using gpais::rt::Level;
using gpais::rt::List;
using gpais::rt::Value;
namespace rt = gpais::rt;

template <typename A, typename L>
concept LevelTakes = requires(A args, L locals) {
    rt::CallLevel{std::string_view("F"), 1, args, locals};
};
template <typename A>
concept LevelTakesAlone = requires(A values) {
    rt::CallLevel{std::string_view("F"), 1, values};
};
template <typename T>
concept TakenAsArgument = requires(const T& value) {
    rt::level_args(value);
};
template <typename T>
concept TakenAsLocal = requires(const T& value) {
    rt::level_locals(value);
};

const int a = 1;
const std::string b = "b";

static_assert(std::is_same_v<decltype(GPAIS_ARGS(a, b)), rt::Args<2>>);
static_assert(std::is_same_v<decltype(GPAIS_LOCALS(a)), rt::Locals<1>>);
static_assert(LevelTakes<decltype(GPAIS_ARGS(a, b)), decltype(GPAIS_LOCALS(a))>);
static_assert(LevelTakesAlone<decltype(GPAIS_ARGS(a))>);
// Swapped, or locals in the place of the arguments, a level does not compile.
static_assert(!LevelTakes<decltype(GPAIS_LOCALS(a)), decltype(GPAIS_ARGS(a, b))>);
static_assert(!LevelTakes<decltype(GPAIS_LOCALS(a)), decltype(GPAIS_LOCALS(a))>);
static_assert(!LevelTakes<decltype(GPAIS_ARGS(a)), decltype(GPAIS_ARGS(a))>);
static_assert(!LevelTakesAlone<decltype(GPAIS_LOCALS(a))>);
// Each marker only where it means something.
static_assert(TakenAsArgument<rt::NotPassed> && !TakenAsLocal<rt::NotPassed>);
static_assert(TakenAsLocal<rt::Later> && !TakenAsArgument<rt::Later>);

struct Seen {
    std::vector<Level> with_optional;
    std::vector<Level> with_marker;
};

void declared_three(Seen& seen, std::string_view path, int kind,
                    std::optional<bool> strict = std::nullopt) {
    std::string document = "d";
    GPAIS_LEVEL("RUN", GPAIS_ARGS(path, kind, strict), GPAIS_LOCALS(document));
    seen.with_optional = rt::current_levels();
}

void takes_two(Seen& seen, std::string_view path, int kind) {
    std::string document = "d";
    GPAIS_LEVEL("RUN", GPAIS_ARGS(path, kind, rt::not_passed), GPAIS_LOCALS(document));
    seen.with_marker = rt::current_levels();
}

TEST(CallLevels, AnArgumentNotPassedShowsAsAnEmptyOptionalDoes) {
    Seen seen;
    declared_three(seen, "a.xml", 2);
    takes_two(seen, "a.xml", 2);
    ASSERT_EQ(seen.with_marker.size(), 1u);
    EXPECT_EQ(seen.with_marker[0].args, (List{"a.xml", 2}));
    EXPECT_EQ(seen.with_marker[0].locals, (List{Value{}, "d"}));
    ASSERT_EQ(seen.with_optional.size(), 1u);
    seen.with_marker[0].line = seen.with_optional[0].line;
    EXPECT_EQ(seen.with_marker, seen.with_optional);
    const gpais::ErrorRecord record;
    EXPECT_EQ(gpais::build_crash_report(record, seen.with_marker, {}),
              gpais::build_crash_report(record, seen.with_optional, {}));
}

List locals_now() {
    const std::vector<Level> levels = rt::current_levels();
    return levels.empty() ? List{} : levels[0].locals;
}

TEST(CallLevels, ALocalRegisteredLaterShowsFromThenOnAndNotOnceGone) {
    int kept = 0;
    GPAIS_LEVEL("F", GPAIS_ARGS(), GPAIS_LOCALS(kept, rt::later, rt::later));
    EXPECT_EQ(locals_now(), (List{0, Value{}, Value{}}));
    const std::string name = "sąrašas";
    GPAIS_LOCAL(name);
    EXPECT_EQ(locals_now(), (List{0, "sąrašas", Value{}}));
    {
        const int inner = 7;
        GPAIS_LOCAL(inner);
        kept = 3;
        EXPECT_EQ(locals_now(), (List{3, "sąrašas", 7}));
    }
    EXPECT_EQ(locals_now(), (List{3, "sąrašas", Value{}}));
    // Past the slots there are: not shown, and nothing else moves.
    const int first = 1;
    const int second = 2;
    GPAIS_LOCAL(first);
    GPAIS_LOCAL(second);
    EXPECT_EQ(locals_now(), (List{3, "sąrašas", 1}));
}

int throwing_line = 0;

void throws_with_a_late_local() {
    GPAIS_LEVEL("F", GPAIS_ARGS(), GPAIS_LOCALS(rt::later));
    const std::string document(100, 'x');
    GPAIS_LOCAL(document);
    // clang-format off
    GPAIS_LINE(); throwing_line = __LINE__;
    // clang-format on
    throw std::runtime_error("sugedo");
}

// The local is gone before its level: the picture of the throw is taken while it still lives.
TEST(CallLevels, AThrowKeepsALateLocalAsItWas) {
    std::optional<std::vector<Level>> levels;
    try {
        throws_with_a_late_local();
    } catch (const std::runtime_error&) {
        levels = rt::take_unwound_levels();
    }
    ASSERT_TRUE(levels.has_value());
    ASSERT_EQ(levels->size(), 1u);
    EXPECT_EQ((*levels)[0].line, throwing_line);
    EXPECT_EQ((*levels)[0].locals, (List{std::string(100, 'x')}));
}

// A report reads the texts of the standing levels where they live; the whole document is held
// once more only in the report itself.
TEST(ReportLevels, TextsAreBorrowedNotCopied) {
    const std::string document(1000, 'd');
    const std::string_view path = "a.xml";
    const int kept = 3;
    GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(path), GPAIS_LOCALS(document, kept));
    const std::vector<Level> levels = gpais::rt::failure_levels(gpais::rt::Reading::borrow_texts);
    ASSERT_EQ(levels.size(), 1u);
    const auto* borrowed = levels[0].locals[0].get_if<gpais::rt::TextRef>();
    ASSERT_NE(borrowed, nullptr);
    EXPECT_EQ(borrowed->text.data(), document.data());
    EXPECT_EQ(levels[0].locals[1], Value(3));
    EXPECT_EQ(gpais::rt::expression_text(levels[0].args[0]), "\"a.xml\"");
    // A plain reading still copies, as the picture of an unwinding exception must.
    EXPECT_EQ(gpais::rt::current_levels()[0].locals[0], Value(document));
}

}  // namespace
