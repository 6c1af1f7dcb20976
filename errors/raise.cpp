#include "errors/raise.hpp"

#include <atomic>
#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>

#include "errors/error_platform.hpp"

namespace gpais {

namespace {

std::atomic<ErrorHook> installed_hook{nullptr};

Resolution resolve(const ErrorRecord& record, const rt::Value& answer) {
    const Effect effect = effect_of_answer(record, answer);
    if (effect == Effect::unrecoverable)
        error_platform().exit_process(1);
    return Resolution{effect, effect == Effect::substitute ? answer : rt::Value{}};
}

rt::Value call_hook(const ErrorRecord& record) {
    const ErrorHook hook = installed_hook.load();
    return hook != nullptr ? hook(record) : rt::Value{};
}

ErrorRecord zero_division_record(rt::Value dividend, rt::Value divisor) {
    return ErrorRecord{.ARGS = rt::List{std::move(dividend), std::move(divisor)},
                       .CANDEFAULT = false,
                       .CANRETRY = false,
                       .CANSUBSTITUTE = true,
                       .DESCRIPTION = std::string("Dalyba iš nulio"),
                       .FILENAME = {},
                       .GENCODE = gencode::zero_division,
                       .OPERATION = std::string("/"),
                       .OSCODE = 0,
                       .SUBCODE = 1,
                       .SUBSYSTEM = std::string("BASE")};
}

}  // namespace

ErrorHook set_error_hook(ErrorHook hook) noexcept {
    return installed_hook.exchange(hook);
}

ErrorHook error_hook() noexcept {
    return installed_hook.load();
}

Resolution raise_error(const ErrorRecord& record, std::string_view routine) {
    return raise_error_with_levels(record, routine, nullptr);
}

Resolution raise_error_with_levels(const ErrorRecord& record, std::string_view routine,
                                   const std::vector<rt::Level>* levels) {
    if (routine.empty() && levels == nullptr)
        return resolve(record, call_hook(record));
    rt::CallLevel level(routine, 0);
    level.frame().hidden = routine.empty();
    level.frame().outer_levels = levels;
    return resolve(record, call_hook(record));
}

std::int64_t checked_divide(std::int64_t dividend, std::int64_t divisor) {
    if (divisor != 0) {
        // The one quotient that does not fit; wraps as the hardware would not, without a trap.
        if (dividend == INT64_MIN && divisor == -1)
            return INT64_MIN;
        return dividend / divisor;
    }
    const Resolution resolution =
        raise_error(zero_division_record(rt::Value(dividend), rt::Value(divisor)));
    if (const auto* whole = resolution.value.get_if<std::int64_t>())
        return *whole;
    if (const auto* fraction = resolution.value.get_if<double>()) {
        return static_cast<std::int64_t>(*fraction);
    }
    return 0;
}

double checked_divide(double dividend, double divisor) {
    if (divisor != 0.0)
        return dividend / divisor;
    const Resolution resolution =
        raise_error(zero_division_record(rt::Value(dividend), rt::Value(divisor)));
    if (const auto* whole = resolution.value.get_if<std::int64_t>()) {
        return static_cast<double>(*whole);
    }
    if (const auto* fraction = resolution.value.get_if<double>())
        return *fraction;
    return 0.0;
}

EscapedException describe_current_exception() {
    EscapedException escaped;
    ErrorRecord& record = escaped.record;
    record.SUBSYSTEM = "C++";
    if (!std::current_exception()) {
        record.DESCRIPTION = "Programa nutraukta";
        record.OPERATION = "std::terminate";
        return escaped;
    }
    try {
        throw;
    } catch (const std::bad_alloc& e) {
        record.GENCODE = gencode::memory;
        record.DESCRIPTION = "Nepakanka atminties";
        record.OPERATION = e.what();
        escaped.routine = "MEMORY";
    } catch (const std::out_of_range& e) {
        record.GENCODE = gencode::bound;
        record.DESCRIPTION = e.what();
        record.OPERATION = "std::out_of_range";
    } catch (const std::exception& e) {
        record.DESCRIPTION = e.what();
        record.OPERATION = typeid(e).name();
    } catch (...) {
        record.DESCRIPTION = "Nežinoma išimtis";
    }
    return escaped;
}

void handle_escaped_exception() {
    // First, before any level of ours is pushed and would make the picture look stale.
    const std::optional<std::vector<rt::Level>> thrown_at = rt::take_unwound_levels();
    const EscapedException escaped = describe_current_exception();
    // Every flag is false, so no answer lets the program go on from here.
    (void)raise_error_with_levels(escaped.record, escaped.routine,
                                  thrown_at ? &*thrown_at : nullptr);
    error_platform().exit_process(1);
    std::_Exit(1);  // a platform that returned from exit_process is not obeyed
}

}  // namespace gpais
