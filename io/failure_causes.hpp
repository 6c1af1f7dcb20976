#pragma once
// The FileError of a failure: the cause behind a C runtime failure code (errno), and the error of
// a refusal made here. Shared by the file code of both platforms; the Windows system's own codes
// are read in system_win32.cpp.

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
