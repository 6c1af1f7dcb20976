#pragma once
// FLOG: wrapped around any expression, passes its value through and appends one line with the
// values of all its arguments to Logas.log.

#include <string_view>

#include "rt/to_value.hpp"
#include "rt/value.hpp"

namespace gpais {

inline constexpr std::string_view trace_log_name = "Logas.log";

// Appends the expression text of `values` and CR LF in one write; false when the log cannot
// be opened.
bool append_trace_line(const rt::List& values);

// At least one argument: a trace with nothing to pass through has no result to give, so the
// call is refused when it is compiled rather than failing when it runs.
template <typename First, typename... Rest>
rt::Value FLOG(const First& first, const Rest&... rest) {
    rt::Value result = rt::to_value(first);
    if (!append_trace_line(rt::List{result, rt::to_value(rest)...}))
        return rt::Value(false);
    return result;
}

}  // namespace gpais
