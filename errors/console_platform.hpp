#pragma once
// The platform of the gpais-filter command: the crash message goes to standard error instead
// of a box, there are no dialogs to end, and the logs are appended in the current folder.

#include <memory>

#include "errors/error_platform.hpp"

namespace gpais {

// One per process, made on first use.
[[nodiscard]] ErrorPlatform& console_error_platform();

}  // namespace gpais
