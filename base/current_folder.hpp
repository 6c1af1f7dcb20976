#pragma once
// The process's current folder as UTF-8, and a name joined to a folder.

#include <string>
#include <string_view>

namespace gpais {

#ifdef _WIN32
inline constexpr char native_separator = '\\';
#else
inline constexpr char native_separator = '/';
#endif

// As the system gives it (no separator added); empty when it cannot be read.
[[nodiscard]] std::string read_current_folder();

// `name` in `folder`, with one separator between them; the name alone for no folder, and with an
// empty name the folder made ready for one to follow. `separator` is added unless the folder
// already ends in it or in '/', which every system takes as a separator. A backslash is a
// separator only where it is the one given, so a POSIX folder whose name ends in one still gets
// its '/'. Where the backslash is the separator, a bare drive ("C:") takes none: it names the
// drive's own current folder, which a backslash would turn into the drive's root.
[[nodiscard]] std::string join_folder(std::string_view folder, std::string_view name,
                                      char separator = native_separator);

}  // namespace gpais
