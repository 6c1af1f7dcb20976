#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "errors/error_handler.hpp"
#include "errors/raise.hpp"
#include "fake_platform.hpp"
#include "rt/call_levels.hpp"
#include "tests/support/golden_report.hpp"

namespace {

using gpais::ErrorRecord;
using gpais::rt::Value;
using gpais::testing::FakePlatform;
using gpais::testing::run_as_process;

const std::string separator(128, '=');

class ErrorPolicy : public ::testing::Test {
  protected:
    void SetUp() override {
        gpais::set_error_platform(platform);
        gpais::ERRORSYS();
    }
    FakePlatform platform;
};

ErrorRecord record_of(int gencode, std::int64_t oscode, bool can_default) {
    ErrorRecord record;
    record.SUBSYSTEM = "BASE";
    record.GENCODE = gencode;
    record.OSCODE = oscode;
    record.CANDEFAULT = can_default;
    return record;
}

TEST_F(ErrorPolicy, QuietAnswersWriteAndShowNothing) {
    struct Case {
        const char* name;
        ErrorRecord record;
        Value expected;
    };
    const Case cases[] = {
        {"division_by_zero_gives_0", record_of(5, 0, false), Value(0)},
        {"lock_is_tried_again", record_of(41, 0, false), Value(true)},
        {"shared_open_fails_quietly", record_of(21, 32, true), Value(false)},
        {"append_lock_fails_quietly", record_of(40, 0, true), Value(false)},
        {"append_lock_whatever_os_code", record_of(40, 5, true), Value(false)},
    };
    for (const auto& c : cases) {
        std::optional<Value> answer;
        const auto exit_code = run_as_process([&] { answer = gpais::PRGERROR(c.record); });
        EXPECT_FALSE(exit_code) << c.name;
        EXPECT_EQ(answer, c.expected) << c.name;
    }
    EXPECT_TRUE(platform.files.empty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.dialogs_ended, 0);
}

TEST_F(ErrorPolicy, FatalErrorsReportTellEndDialogsAndExit) {
    struct Case {
        const char* name;
        ErrorRecord record;
        std::string error_line;
    };
    const Case cases[] = {
        {"open_denied", record_of(21, 5, true), "Klaida: BASE/EG_OPEN(21) 0\r\n"},
        {"shared_open_without_default", record_of(21, 32, false), "Klaida: BASE/EG_OPEN(21) 0\r\n"},
        {"append_lock_without_default", record_of(40, 0, false),
         "Klaida: BASE/EG_APPENDLOCK(40) 0\r\n"},
        {"bound", record_of(2, 0, false), "Klaida: BASE/EG_BOUND(2) 0\r\n"},
    };
    for (const auto& c : cases) {
        FakePlatform fresh;
        gpais::set_error_platform(fresh);
        const auto exit_code = run_as_process([&] { (void)gpais::PRGERROR(c.record); });
        EXPECT_EQ(exit_code, 1) << c.name;
        const std::string& log = fresh.files["Klaidos.log"];
        EXPECT_EQ(log.substr(0, 25), "2026-12-07 09:05:03.007\r\n") << c.name;
        EXPECT_EQ(log.substr(27, c.error_line.size()), c.error_line) << c.name;
        ASSERT_GE(log.size(), 130u);
        EXPECT_EQ(log.substr(log.size() - 130), "\r\n" + separator) << c.name;
        EXPECT_EQ(fresh.accesses, std::vector<gpais::LogAccess>{gpais::LogAccess::read_write});
        ASSERT_EQ(fresh.messages.size(), 1u) << c.name;
        EXPECT_EQ(fresh.messages[0].text,
                  "Įvyko klaida.\nPraneškite programuotojams.\nEl.paštu: support@gpais-filtras.lt");
        EXPECT_EQ(fresh.messages[0].caption, "Klaida");
        EXPECT_EQ(fresh.messages[0].icon, 16u);
        EXPECT_EQ(fresh.dialogs_ended, 1) << c.name;
    }
}

TEST_F(ErrorPolicy, SecondRunAppendsDirectlyAfterTheSeparator) {
    ASSERT_EQ(run_as_process([] { (void)gpais::PRGERROR(record_of(2, 0, false)); }), 1);
    platform.time.second = 4;
    ASSERT_EQ(run_as_process([] { (void)gpais::PRGERROR(record_of(2, 0, false)); }), 1);
    const std::string& log = platform.files["Klaidos.log"];
    EXPECT_NE(log.find(separator + "2026-12-07 09:05:04.007\r\n"), std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 128), separator);
}

TEST_F(ErrorPolicy, ReadOnlyLogStillTellsAndExits) {
    platform.read_only.insert("Klaidos.log");
    EXPECT_EQ(run_as_process([] { (void)gpais::PRGERROR(record_of(2, 0, false)); }), 1);
    EXPECT_EQ(platform.files.count("Klaidos.log"), 0u);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.dialogs_ended, 1);
}

// A failure inside the making of a report calls the handler again: the second call writes its
// own report, a third answers nothing and writes nothing.
TEST_F(ErrorPolicy, NestedFailuresAreLimitedToTwoReports) {
    int user_name_calls = 0;
    std::optional<Value> third_answer;
    platform.on_user_name = [&] {
        ++user_name_calls;
        if (user_name_calls > 2)
            return;
        ErrorRecord nested = record_of(user_name_calls == 1 ? 33 : 34, 0, false);
        nested.CANSUBSTITUTE = true;
        const gpais::Resolution resolution = gpais::raise_error(nested, "NETUSERNAME");
        if (user_name_calls == 2)
            third_answer = resolution.value;
    };
    const auto exit_code = run_as_process([] { (void)gpais::PRGERROR(record_of(2, 0, false)); });
    EXPECT_EQ(exit_code, 1);
    ASSERT_TRUE(third_answer.has_value());
    EXPECT_TRUE(third_answer->is_nil());
    // One report only, the second call's (EG_DATATYPE, from within the first's report): the
    // first never resumes.
    gpais::testing::expect_golden_report("failure_inside_the_report",
                                         platform.files["Klaidos.log"]);
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(ErrorPolicy, ThirdNestedErrorWithoutReplacementEndsAtOnce) {
    int depth = 0;
    platform.on_user_name = [&] {
        if (++depth > 2)
            return;
        (void)gpais::raise_error(record_of(2, 0, false), "NETUSERNAME");
    };
    EXPECT_EQ(run_as_process([] { (void)gpais::PRGERROR(record_of(2, 0, false)); }), 1);
    EXPECT_TRUE(platform.files.empty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ErrorPolicy, CheckedDivisionYieldsZeroQuietly) {
    struct Case {
        std::int64_t dividend, divisor, expected;
    };
    const Case cases[] = {{7, 2, 3}, {-7, 2, -3}, {7, 0, 0}, {0, 0, 0}, {INT64_MIN, -1, INT64_MIN}};
    run_as_process([&] {
        for (const auto& c : cases) {
            EXPECT_EQ(gpais::checked_divide(c.dividend, c.divisor), c.expected);
        }
        EXPECT_EQ(gpais::checked_divide(1.0, 0.0), 0.0);
        EXPECT_EQ(gpais::checked_divide(1.0, 4.0), 0.25);
    });
    EXPECT_TRUE(platform.files.empty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ErrorPolicy, RetryAndDefaultReachTheOperation) {
    run_as_process([] {
        ErrorRecord lock = record_of(41, 0, false);
        lock.CANRETRY = true;
        EXPECT_EQ(gpais::raise_error(lock).effect, gpais::Effect::retry);
        ErrorRecord shared = record_of(21, 32, true);
        EXPECT_EQ(gpais::raise_error(shared, "FOPEN").effect, gpais::Effect::take_default);
    });
}

}  // namespace
