#pragma once
// Raising an error: the failed operation builds a record and hands it to the installed hook
// where it failed, before anything is unwound, so that the report shows the levels as they
// were. Then the operation honours the answer.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "errors/error_record.hpp"
#include "rt/call_levels.hpp"
#include "rt/value.hpp"

namespace gpais {

using ErrorHook = rt::Value (*)(const ErrorRecord& record);

// Installs the process-wide hook and gives back the one it replaces.
ErrorHook set_error_hook(ErrorHook hook) noexcept;
[[nodiscard]] ErrorHook error_hook() noexcept;

struct Resolution {
    Effect effect = Effect::unrecoverable;
    rt::Value value;  // the replacement result, for Effect::substitute
};

// Hands the record to the hook, under a level of its own for `routine` (a library routine in
// which the error arose, shown with line 0) when one is named. Never returns an unrecoverable
// answer: that ends the process with exit code 1.
Resolution raise_error(const ErrorRecord& record, std::string_view routine = {});

// Division that never traps: a zero divisor goes to the handler, whose answer (0 under the
// installed policy) becomes the result.
[[nodiscard]] std::int64_t checked_divide(std::int64_t dividend, std::int64_t divisor);
[[nodiscard]] double checked_divide(double dividend, double divisor);

// For a catch (...) block at every place where control leaves our code for the system's (the
// entry point, each window or dialog procedure, each callback): turns the exception into a
// record, with the levels as they stood where it was thrown, and hands it to the hook. A C++
// exception that reaches our boundary is never survivable, so this ends the process.
[[noreturn]] void handle_escaped_exception();

// Runs `body`; an exception ends in handle_escaped_exception instead of unwinding into Windows.
template <typename Body>
auto at_boundary(Body&& body) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        handle_escaped_exception();
    }
}

// The record an escaped exception is reported with, and the library routine it is shown under
// (empty for none); exposed for the tests.
struct EscapedException {
    ErrorRecord record;
    std::string_view routine;
};
[[nodiscard]] EscapedException describe_current_exception();

// Hands a record to the hook with `levels` standing for everything outside the hook: used
// where the live levels are no longer those of the failure.
Resolution raise_error_with_levels(const ErrorRecord& record, std::string_view routine,
                                   const std::vector<rt::Level>* levels);

}  // namespace gpais
