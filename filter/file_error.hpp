#pragma once
// Why a whole-file read or write did not happen: the cause in the terms the person can act on,
// and the system's own code and words for a report.

#include <string>

namespace gpais {

enum class FileCause {
    disk_full,
    file_missing,  // the folder is there, the file is not
    folder_missing,
    path_is_folder,
    read_only,      // the file is marked read-only
    in_use,         // another program holds the file (a sharing or lock violation on Windows)
    access_denied,  // no right to write (or read) there
    name_too_long,  // longer than the system takes for a name or a path
    other,          // known only by the system's own code and words
};

// The code and text are the system's own (errno and its description, or GetLastError and
// FormatMessage on Windows), kept for every cause so a report can name them; the person is shown
// them only for `other`.
struct FileError {
    FileCause cause = FileCause::other;
    unsigned long code = 0;
    std::string system_text;
};

}  // namespace gpais
