#pragma once
// The process's current folder as UTF-8.

#include <string>

namespace gpais {

// As the system gives it (no separator added); empty when it cannot be read.
[[nodiscard]] std::string read_current_folder();

}  // namespace gpais
