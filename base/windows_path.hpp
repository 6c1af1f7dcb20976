#pragma once
// A UTF-8 path in the form Windows' file calls take it, however long (base/long_path.hpp).

#include <string>
#include <string_view>

namespace gpais {

// Absolute, UTF-16, and with "\\?\" from long_path_from characters on.
[[nodiscard]] std::wstring windows_file_path(std::string_view utf8);

}  // namespace gpais
