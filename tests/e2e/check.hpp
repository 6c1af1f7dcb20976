// How the driver fails: one exception with a readable reason, caught once in main, so that each
// scenario reads as a straight list of steps and expectations.
#pragma once

#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

#include "base/text_convert.hpp"

namespace gpais::e2e {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline void expect(bool condition, const std::string& what) {
    if (!condition) {
        throw Failure(what);
    }
}

// Text comparisons print both sides, since a wrong letter in a Lithuanian word is easy to miss.
inline void expect_text(std::wstring_view actual, std::wstring_view expected,
                        const std::string& what) {
    if (actual != expected) {
        throw Failure(what + ": got \"" + to_utf8(actual) + "\", expected \"" + to_utf8(expected) +
                      "\"");
    }
}

// Every wait of the driver is bounded: a program that stops answering fails its scenario
// instead of hanging the whole test run.
template <typename Condition>
void wait_until(Condition condition, std::chrono::milliseconds limit, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw Failure("timed out after " + std::to_string(limit.count()) + " ms waiting for " +
                          what);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Polls for something that is found rather than merely true.
template <typename Finder>
auto wait_for(Finder finder, std::chrono::milliseconds limit, const std::string& what) {
    decltype(finder()) found{};
    wait_until([&] { return static_cast<bool>(found = finder()); }, limit, what);
    return found;
}

}  // namespace gpais::e2e
