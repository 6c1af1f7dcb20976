#pragma once
// The causes behind the C runtime's and the system's failure codes, shared by the file code of
// both platforms.

#include <system_error>

#include "filter/file_error.hpp"

namespace gpais::io {

// A failure the C runtime gave as errno; also for writers of other streams than files
// (standard output).
[[nodiscard]] FileError errno_failure(int code);

// A refusal made here rather than by the system carries no system code.
[[nodiscard]] FileError refusal(FileCause cause);
// A cause worked out here from the system's code, which is kept for a report.
[[nodiscard]] FileError refusal_with_code(FileCause cause, unsigned long code);

}  // namespace gpais::io
