#pragma once
// The process's current folder as UTF-8, and a folder made ready for a name to follow it.

#include <string>

namespace gpais {

#ifdef _WIN32
inline constexpr char native_separator = '\\';
#else
inline constexpr char native_separator = '/';
#endif

// As the system gives it (no separator added); empty when it cannot be read.
[[nodiscard]] std::string read_current_folder();

// The folder ending in one separator: `separator` is added unless the folder is empty or already
// ends in it or in '/', which every system takes as a separator. A backslash is a separator only
// where it is the one given, so a POSIX folder whose name ends in one still gets its '/'.
[[nodiscard]] std::string with_one_separator(std::string folder, char separator = native_separator);

}  // namespace gpais
