#pragma once
// Paths as text, by one set of rules for every part of the program: the system's separator, the
// folder a path lies in, a name joined to a folder, and the room the choosers give a folder.
// The separator passed picks Windows' rules or POSIX's, so both are tested on either system.

#include <cstddef>
#include <string>
#include <string_view>

namespace gpais {

#ifdef _WIN32
inline constexpr char path_separator = '\\';
#else
inline constexpr char path_separator = '/';
#endif

// A path cut after its folder; join_folder puts the two back together.
template <typename Char>
struct PathParts {
    std::basic_string_view<Char> folder;  // up to and with its last separator
    std::basic_string_view<Char> name;
};

// `path` cut after its last separator. Where the backslash is the separator, '/' is one too, and a
// drive's colon ends the folder of a path without a separator ("C:name" lies in drive C's own
// current folder); where '/' is, a backslash is part of a name. A bare name's folder is empty:
// it lies in the current folder, so the folder and the name still make the path, and a caller
// that must open the folder itself names it ".".
[[nodiscard]] PathParts<char> split_path(std::string_view path,
                                         char separator = path_separator) noexcept;
[[nodiscard]] PathParts<wchar_t> split_path(std::wstring_view path,
                                            char separator = path_separator) noexcept;

// `name` in `folder`, with one separator between them; the name alone for no folder, and with an
// empty name the folder made ready for one to follow. `separator` is added unless the folder
// already ends in it or in '/', which every system takes as a separator. A backslash is a
// separator only where it is the one given, so a POSIX folder whose name ends in one still gets
// its '/'. Where the backslash is the separator, a bare drive ("C:") takes none: it names the
// drive's own current folder, which a backslash would turn into the drive's root.
[[nodiscard]] std::string join_folder(std::string_view folder, std::string_view name,
                                      char separator = path_separator);

// The room the choosers and the proposed names give the folder they start in, as the program
// has always sized it (GetCurrentDirectoryW's buffer): 264 UTF-16 characters with the NUL, in
// the units Windows and the dialogs count, whatever the folder's UTF-8 bytes.
inline constexpr std::size_t chooser_folder_room = 264;

// `folder` (a Windows one) as the choosers start in it and a proposed name follows it: ending in
// one backslash, as join_folder ends it, where the folder, the backslash and the NUL fit the
// room; as it is where only the folder and the NUL fit; empty where not even they fit.
[[nodiscard]] std::string chooser_start_folder(std::string_view folder);

}  // namespace gpais
