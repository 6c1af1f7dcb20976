// What a crash report would show of a filter run: the run's call level with its arguments and
// locals, as it stands whenever the run hands over to the person or the machine, and as it
// stood where a failure was thrown out of the run.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "fake_port.hpp"
#include "filter/filter_run.hpp"
#include "rt/call_levels.hpp"

namespace gpais {
namespace {

using namespace std::chrono;
using rt::CalendarDate;
using rt::List;
using rt::Value;

const std::string list_path = "C:\\Darbas\\sąrašas.xml";
const std::string log_path = "C:\\Darbas\\klaidos.log";
const std::string good_list =
    "<produktai>\r\n<p><kodas>A1</kodas><pradetaTiektiNuo>2026-11-05</pradetaTiektiNuo></p>\r\n"
    "\r\n</produktai>";
const std::string compacted =
    "<produktai>\r\n<p><kodas>A1</kodas><pradetaTiektiNuo>2026-11-05</pradetaTiektiNuo></p>\r\n"
    "</produktai>";
const Value november_first = CalendarDate(2026y / November / 1d);
const Value november_last = CalendarDate(2026y / November / 30d);

// Records the levels standing at every call the run makes, under the call's name.
class LevelPort : public testing::FakePort {
  public:
    std::vector<std::pair<std::string, std::vector<rt::Level>>> seen;
    bool fail_reading = false;

    void show_message(std::string_view text, std::string_view caption, Icon icon) override {
        seen.emplace_back("message", rt::current_levels());
        FakePort::show_message(text, caption, icon);
    }
    std::string choose_save_file(const SaveRequest& request) override {
        seen.emplace_back("choose", rt::current_levels());
        return FakePort::choose_save_file(request);
    }
    FileResult<std::string> read_file(std::string_view path) override {
        if (fail_reading)
            throw std::bad_alloc();
        return FakePort::read_file(path);
    }
};

struct Shown {
    List args;
    List locals;
};

struct LevelCase {
    const char* name;
    std::function<RunOutcome(LevelPort&)> run;
    std::string list_bytes;
    std::string call;  // the call at which the level is looked at
    Shown expected;
};

RunOutcome period_run(LevelPort& port) {
    return ATRINKPOZICIJAS(list_path, Date(2026y / November / 1d), Date(2026y / November / 30d),
                           port, port);
}

RunOutcome error_log_run(LevelPort& port) {
    return ATRINKPOZICIJAS(list_path, log_path, port, port);
}

TEST(RunLevels, TheRunShowsItsArgumentsAndLocalsAtEachHandOver) {
    const LevelCase cases[] = {
        {"period mode, bad list",
         period_run,
         "",
         "message",
         {{list_path, november_first, november_last}, {"", 0}}},
        {"error-log mode, bad list: the missing third argument is NIL, first among the locals",
         error_log_run,
         "",
         "message",
         {{list_path, log_path}, {Value{}, "", List{}, 0}}},
        {"period mode, at the save chooser the document is compacted and one position kept",
         period_run,
         good_list,
         "choose",
         {{list_path, november_first, november_last}, {compacted, 1}}},
        {"error-log mode, no codes in the log",
         error_log_run,
         good_list,
         "message",
         {{list_path, log_path}, {Value{}, good_list, List{}, 0}}},
    };
    for (const LevelCase& c : cases) {
        LevelPort port;
        port.files[list_path] = c.list_bytes;
        port.save_answer = "";
        c.run(port);
        ASSERT_EQ(port.seen.size(), 1u) << c.name;
        EXPECT_EQ(port.seen[0].first, c.call) << c.name;
        const std::vector<rt::Level>& levels = port.seen[0].second;
        ASSERT_EQ(levels.size(), 1u) << c.name;
        EXPECT_EQ(levels[0].name, "ATRINKPOZICIJAS") << c.name;
        EXPECT_GT(levels[0].line, 0) << c.name;
        EXPECT_EQ(levels[0].args, c.expected.args) << c.name;
        EXPECT_EQ(levels[0].locals, c.expected.locals) << c.name;
    }
    // Nothing of a finished run stays behind.
    EXPECT_TRUE(rt::current_levels().empty());
}

TEST(RunLevels, AFailureThrownOutOfTheRunKeepsTheRunsLevel) {
    struct ThrowCase {
        const char* name;
        std::function<RunOutcome(LevelPort&)> run;
        List args;
        List locals;
    };
    const ThrowCase cases[] = {
        {"period mode", period_run, {list_path, november_first, november_last}, {"", 0}},
        {"error-log mode", error_log_run, {list_path, log_path}, {Value{}, "", List{}, 0}},
    };
    for (const ThrowCase& c : cases) {
        LevelPort port;
        port.fail_reading = true;
        std::optional<std::vector<rt::Level>> levels;
        try {
            c.run(port);
        } catch (const std::bad_alloc&) {
            levels = rt::take_unwound_levels();
        }
        ASSERT_TRUE(levels.has_value()) << c.name << ": the failure did not leave the run";
        ASSERT_EQ(levels->size(), 1u) << c.name;
        EXPECT_EQ((*levels)[0].name, "ATRINKPOZICIJAS") << c.name;
        EXPECT_EQ((*levels)[0].args, c.args) << c.name;
        EXPECT_EQ((*levels)[0].locals, c.locals) << c.name;
    }
}

}  // namespace
}  // namespace gpais
