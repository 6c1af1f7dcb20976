#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "errors/error_handler.hpp"
#include "errors/raise.hpp"
#include "fake_platform.hpp"
#include "rt/call_levels.hpp"
#include "tests/support/golden_report.hpp"

namespace {

using gpais::testing::FakePlatform;
using gpais::testing::run_as_process;

int throw_line = 0;

void inner(const std::string& code, int kind) {
    int attempts = 2;
    GPAIS_LEVEL("INNER", GPAIS_ARGS(code, kind), GPAIS_LOCALS(attempts));
    std::vector<int> empty;
    // clang-format off
    GPAIS_LINE(); throw_line = __LINE__;
    // clang-format on
    if (kind == 1)
        throw std::bad_alloc();
    if (kind == 2)
        (void)empty.at(3);
    if (kind == 3)
        throw std::runtime_error("sugedo");
}

// Three declared parameters; the caller passes two.
void outer(int kind, const std::string& path, std::optional<bool> strict = std::nullopt) {
    GPAIS_LEVEL("OUTER", GPAIS_ARGS(kind, path, strict));
    inner("A1", kind);
}

void boundary(int kind) {
    GPAIS_LEVEL("DIALOGFUNC", GPAIS_ARGS(kind));
    try {
        outer(kind, "x.xml");
    } catch (...) {
        gpais::handle_escaped_exception();
    }
}

TEST(EscapedExceptions, ReachTheHandlerWithTheLevelsOfTheThrow) {
    struct Case {
        const char* golden;
        int kind;
    };
    const Case cases[] = {
        {"escaped_out_of_memory", 1},
        {"escaped_index_out_of_range", 2},
        {"escaped_other_exception", 3},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        gpais::set_error_platform(platform);
        gpais::ERRORSYS();
        EXPECT_EQ(run_as_process([&] { boundary(c.kind); }), 1) << c.golden;
        const std::string& log = platform.files["Klaidos.log"];
        gpais::testing::expect_golden_report(c.golden, log);
        // The throw's own line, which the golden copy masks.
        EXPECT_NE(log.find("    INNER(" + std::to_string(throw_line) + ") "), std::string::npos)
            << c.golden;
        EXPECT_EQ(platform.messages.size(), 1u);
    }
}

void caught_inside() {
    GPAIS_LEVEL("CAUGHT");
    try {
        inner("B2", 3);
    } catch (const std::runtime_error&) {
        // handled here: the levels of this throw must not stand for a later one
    }
}

TEST(EscapedExceptions, ExceptionCaughtEarlierDoesNotLeaveItsLevels) {
    FakePlatform platform;
    gpais::set_error_platform(platform);
    gpais::ERRORSYS();
    EXPECT_EQ(run_as_process([] {
                  GPAIS_LEVEL("ENTRY");
                  try {
                      caught_inside();
                      throw std::logic_error("vėliau");
                  } catch (...) {
                      gpais::handle_escaped_exception();
                  }
              }),
              1);
    const std::string& log = platform.files["Klaidos.log"];
    EXPECT_NE(log.find("Stekas: \r\n    ENTRY("), std::string::npos) << log;
    EXPECT_EQ(log.find("INNER"), std::string::npos) << log;
}

}  // namespace
