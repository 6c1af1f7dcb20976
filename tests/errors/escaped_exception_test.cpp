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
        const char* name;
        int kind;
        std::string error_lines;
        std::string first_level;
    };
    const Case cases[] = {
        {"out_of_memory", 1, "Klaida: C++/EG_MEM(11) 0\r\n", "    MEMORY(0)"},
        {"index_out_of_range", 2, "Klaida: C++/EG_BOUND(2) 0\r\n", "    INNER("},
        {"other_exception", 3, "Klaida: C++/(0) 0\r\nAprašymas: sugedo\r\n", "    INNER("},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        gpais::set_error_platform(platform);
        gpais::ERRORSYS();
        EXPECT_EQ(run_as_process([&] { boundary(c.kind); }), 1) << c.name;
        const std::string& log = platform.files["Klaidos.log"];
        EXPECT_EQ(log.substr(27, c.error_lines.size()), c.error_lines) << c.name << "\n" << log;
        const std::size_t stack = log.find("Stekas: \r\n");
        ASSERT_NE(stack, std::string::npos);
        EXPECT_EQ(log.substr(stack + 10, c.first_level.size()), c.first_level) << c.name;
        std::string inner_head = "    INNER(";
        inner_head += std::to_string(throw_line);
        inner_head += ")";
        std::string inner_line = inner_head;
        inner_line.append(32 - inner_head.size(), ' ');
        inner_line += "(\"A1\", ";
        inner_line += std::to_string(c.kind);
        inner_line += "), 2\r\n";
        std::string outer_args = "(";
        outer_args += std::to_string(c.kind);
        outer_args += ", \"x.xml\"), NIL\r\n";
        const std::size_t at_inner = log.find(inner_line);
        const std::size_t at_outer = log.find(outer_args);
        const std::size_t at_boundary = log.find("    DIALOGFUNC(");
        EXPECT_NE(at_inner, std::string::npos) << c.name << "\n" << log;
        EXPECT_LT(at_inner, at_outer) << c.name;
        EXPECT_LT(at_outer, at_boundary) << c.name;
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
