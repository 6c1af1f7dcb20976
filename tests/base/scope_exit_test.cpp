#include "base/scope_exit.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

namespace gpais {
namespace {

TEST(ScopeExit, CleansUpOnEveryWayOutUnlessReleased) {
    struct Case {
        const char* name;
        bool throws, released;
        int expected_runs;
    };
    const Case cases[] = {
        {"scope ends normally", false, false, 1},
        {"scope left by an exception", true, false, 1},
        {"released: the work it undoes succeeded", false, true, 0},
        {"released, then an exception", true, true, 0},
    };
    for (const Case& c : cases) {
        int runs = 0;
        try {
            ScopeExit clean_up{[&runs] { ++runs; }};
            if (c.released)
                clean_up.release();
            if (c.throws)
                throw std::runtime_error("failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(runs, c.expected_runs) << c.name;
    }
}

}  // namespace
}  // namespace gpais
