#pragma once
// Whole-file read and safe whole-file replace on paths given as UTF-8, shared by the Windows
// program, the console command and the tests. No window-system types.

#include <filesystem>
#include <string>
#include <string_view>

#include "filter/write_result.hpp"

namespace gpais {

// A UTF-8 path as the file system wants it (UTF-16 on Windows), converted without loss.
[[nodiscard]] std::filesystem::path path_from_utf8(std::string_view utf8);

// Every byte of the file, held in one string of exactly the file's size. Empty when the path
// is empty, or names a missing, unreadable or non-regular file (a folder reads as nothing).
[[nodiscard]] std::string read_whole_file(std::string_view path);

// Writes the bytes to a new file beside the target, puts them on the disk and moves the file
// over the target in one step, so the target is either replaced whole or left as it was, also
// across a power cut, and no partial or temporary file remains. Refuses a target that is a
// folder or another non-regular file, a read-only file or one this user may not write, or a
// blank path; never creates a missing folder. Not ok() when nothing was written, and also when
// the new file is in place but its folder could not be put on the disk (Linux), as it might not
// survive.
[[nodiscard]] WriteResult replace_file(std::string_view path, std::string_view bytes);

}  // namespace gpais
