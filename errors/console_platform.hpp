#pragma once
// The platform of the gpais-filter command: the crash message goes to standard error instead
// of a box and there are no dialogs to end. On Windows the rest is the dialog's platform, so the
// process ends with TerminateProcess; elsewhere with std::_Exit, once the streams are flushed.
// The logs go where the dialog's go, to the start folder (log_path).

#include <cstdio>
#include <string>
#include <string_view>

#include "base/console_text.hpp"
#include "errors/error_platform.hpp"

namespace gpais {

// One per process, made on first use.
[[nodiscard]] ErrorPlatform& console_error_platform();

// A message as the command shows it: "CAPTION: TEXT" on a line of standard error.
inline void write_console_message(std::string_view text, std::string_view caption) {
    std::string line(caption);
    line.append(": ").append(text);
    (void)write_line(stderr, line);
}

}  // namespace gpais
