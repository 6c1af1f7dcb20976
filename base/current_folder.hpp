#pragma once
// The process's current folder as UTF-8, as the system gives it (no separator added); empty
// when it cannot be read.

#include <string>

namespace gpais {

[[nodiscard]] std::string read_current_folder();

}  // namespace gpais
