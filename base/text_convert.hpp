#pragma once
// The one crossing between the program's UTF-8 and the UTF-16 of Windows' "W" functions.
// Lengths are explicit, so embedded NULs (filter strings, chooser answers) cross intact.

#include <string>
#include <string_view>

namespace gpais {

[[nodiscard]] std::wstring to_wide(std::string_view utf8);
[[nodiscard]] std::string to_utf8(std::wstring_view utf16);

}  // namespace gpais
