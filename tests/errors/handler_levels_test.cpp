// A report leaves out the levels of the handler itself, whichever way it was reached, and none
// of the failure's.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "errors/crash_report.hpp"
#include "errors/error_handler.hpp"
#include "errors/raise.hpp"
#include "fake_platform.hpp"
#include "rt/call_levels.hpp"
#include "tests/support/report_stack.hpp"

namespace {

using gpais::ErrorRecord;
using gpais::testing::FakePlatform;
using gpais::testing::run_as_process;
using gpais::testing::stack_lines;
using gpais::testing::stack_names;

ErrorRecord fatal_record() {
    ErrorRecord record;
    record.SUBSYSTEM = "BASE";
    record.GENCODE = 2;
    return record;
}

std::string made_here;

gpais::rt::Value reporting_hook(const ErrorRecord& record) {
    made_here = gpais::GETERRORDESC(record);
    return gpais::rt::Value(false);
}

// The failure's own levels: the run under the entry point.
void fail_within_run(const std::function<void()>& fail) {
    run_as_process([&] {
        GPAIS_LEVEL("MAIN");
        const std::string path = "C:\\a.xml";
        [&] {
            GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(path));
            fail();
        }();
    });
}

class HandlerLevels : public ::testing::Test {
  protected:
    void SetUp() override { gpais::set_error_platform(platform); }
    void TearDown() override { gpais::ERRORSYS(); }
    FakePlatform platform;
};

TEST_F(HandlerLevels, EveryPathIntoTheReportKeepsTheInnermostRealLevel) {
    struct Case {
        const char* name;
        std::function<void()> fail;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"through the hook",
         [] { (void)gpais::raise_error(fatal_record()); },
         {"ATRINKPOZICIJAS", "MAIN"}},
        {"the handler called without the hook",
         [] { (void)gpais::PRGERROR(fatal_record()); },
         {"ATRINKPOZICIJAS", "MAIN"}},
        {"the report made by itself",
         [] { made_here = gpais::GETERRORDESC(fatal_record()); },
         {"ATRINKPOZICIJAS", "MAIN"}},
        {"a hook of another kind, under a library routine",
         [] {
             gpais::set_error_hook(&reporting_hook);
             (void)gpais::raise_error(fatal_record(), "FOPEN");
         },
         {"FOPEN", "ATRINKPOZICIJAS", "MAIN"}},
    };
    for (const Case& c : cases) {
        platform.files.clear();
        made_here.clear();
        gpais::ERRORSYS();
        fail_within_run(c.fail);
        const std::string report = made_here.empty() ? platform.files["Klaidos.log"] : made_here;
        EXPECT_EQ(stack_names(report), c.expected) << c.name << "\n" << report;
        const std::vector<std::string> lines = stack_lines(report);
        ASSERT_GE(lines.size(), 2u) << c.name;
        EXPECT_TRUE(lines[lines.size() - 2].ends_with("(\"C:\\a.xml\")"))
            << lines[lines.size() - 2];
    }
}

}  // namespace
