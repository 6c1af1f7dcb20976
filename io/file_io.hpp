#pragma once
// Whole-file read and safe whole-file replace on paths given as UTF-8, shared by the Windows
// program, the console command and the tests. No window-system types. On Windows every path is
// made absolute and, when long, given the "\\?\" prefix, so a list in a deep folder is read and
// saved like any other.

#include <string>
#include <string_view>

#include "filter/file_result.hpp"

namespace gpais {

// Every byte of the file, held in one string of exactly the file's size and read in calls of at
// most 16 MiB, or why the file could not be read at all (missing, a folder, held by another
// program after a moment's wait, no right, ...). An empty path reads as no bytes, and so does a
// device or a pipe.
[[nodiscard]] FileResult<std::string> read_file_bytes(std::string_view path);
// The bytes alone, empty when the file could not be read: for the tests and the benchmark.
[[nodiscard]] std::string read_whole_file(std::string_view path);

// Writes the bytes to a new file beside the target, puts them on the disk and moves the file
// over the target in one step, so the target is either replaced whole or left as it was, also
// across a power cut, and no partial or temporary file remains. Refuses a target that is a
// folder or another non-regular file, a read-only file or one this user may not write, or a
// blank path; never creates a missing folder. A target that another program holds for a moment
// is waited for. Not ok() when nothing was written, and also when the new file is in place but
// its move could not be put on the disk, as it might not survive.
[[nodiscard]] FileResult<void> replace_file(std::string_view path, std::string_view bytes);

}  // namespace gpais
