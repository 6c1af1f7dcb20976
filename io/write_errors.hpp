#pragma once
// The causes behind the C runtime's and the system's failure codes, shared by the file code of
// both platforms.

#include <system_error>

#include "filter/write_result.hpp"

namespace gpais::io {

// A failure the C runtime gave as errno; also for writers of other streams than files
// (standard output).
[[nodiscard]] WriteError errno_failure(int code);

// A refusal made here rather than by the system carries no system code.
[[nodiscard]] WriteError refusal(WriteCause cause);
// A cause worked out here from the system's code, which is kept for a report.
[[nodiscard]] WriteError refusal_with_code(WriteCause cause, unsigned long code);

}  // namespace gpais::io
