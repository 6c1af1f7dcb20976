#include <gtest/gtest.h>

#include <string>

#include "errors/trace_log.hpp"
#include "fake_platform.hpp"

namespace {

using gpais::rt::Value;
using gpais::testing::FakePlatform;

template <typename... A>
concept CanTrace = requires(A... a) {
    gpais::FLOG(a...);
};

// A trace with nothing to pass through is refused by the compiler.
static_assert(!CanTrace<>);
static_assert(CanTrace<int>);
static_assert(CanTrace<std::string, bool, double>);

class TraceLog : public ::testing::Test {
  protected:
    void SetUp() override { gpais::set_error_platform(platform); }
    FakePlatform platform;
};

TEST_F(TraceLog, AppendsOneLineAndPassesTheFirstValueThrough) {
    struct Case {
        const char* name;
        Value (*call)();
        std::string line;
        Value result;
    };
    const Case cases[] = {
        {"number_alone", [] { return gpais::FLOG(5); }, "{5}\r\n", Value(5)},
        {"text_and_logical", [] { return gpais::FLOG(std::string("abc"), true); },
         "{\"abc\", .T.}\r\n", Value("abc")},
        {"line_break_stays_on_one_line", [] { return gpais::FLOG(std::string("a\r\nb"), 2.5); },
         "{e\"a\\r\\nb\", 2.5}\r\n", Value("a\r\nb")},
        {"nested_list",
         [] {
             return gpais::FLOG(gpais::rt::List{1, gpais::rt::List{}});
         },
         "{{1, {}}}\r\n", Value(gpais::rt::List{1, gpais::rt::List{}})},
    };
    for (const auto& c : cases) {
        platform.files.clear();
        EXPECT_EQ(c.call(), c.result) << c.name;
        EXPECT_EQ(platform.files["Logas.log"], c.line) << c.name;
    }
    EXPECT_EQ(platform.accesses.back(), gpais::LogAccess::write_only);
}

TEST_F(TraceLog, CreatesThenAppends) {
    (void)gpais::FLOG(1);
    (void)gpais::FLOG("du");
    EXPECT_EQ(platform.files["Logas.log"], "{1}\r\n{\"du\"}\r\n");
}

TEST_F(TraceLog, ReadOnlyLogAnswersFalseAndStaysUnchanged) {
    platform.files["Logas.log"] = "{1}\r\n";
    platform.read_only.insert("Logas.log");
    EXPECT_EQ(gpais::FLOG(5), Value(false));
    EXPECT_EQ(platform.files["Logas.log"], "{1}\r\n");
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
