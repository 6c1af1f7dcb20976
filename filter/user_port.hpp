#pragma once
// Everything a filter run needs from the person and the machine. The Windows program answers
// with message boxes and the Save As dialog, the command line with console output, the tests
// with fakes that record every call.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "errors/value.hpp"
#include "filter/messages.hpp"

namespace gpais {

struct FileType {
    std::string description;  // "GPAIS failai (*.xml)"
    std::string pattern;      // "*.xml" or "*.log;*.txt"
};

// A report shows a file type as the pair it is: {"GPAIS failai (*.xml)", "*.xml"}.
inline rt::Value to_report_value(const FileType& type) {
    return rt::Value(rt::List{type.description, type.pattern});
}

struct SaveRequest {
    std::string title;
    std::string initial_folder;
    std::string default_extension;  // with its leading ".", e.g. ".xml"
    std::vector<FileType> file_types;
    unsigned filter_index = 1;
    std::string proposed_name;
};

// Local wall-clock time, as much of it as names and reports need.
struct LocalTime {
    int year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// What stopped a whole-file write, in the terms the person can act on.
enum class WriteCause {
    disk_full,
    folder_missing,
    path_is_folder,
    read_only,      // the file is marked read-only
    in_use,         // another program holds the file (a sharing or lock violation on Windows)
    access_denied,  // no right to write there
    other,          // known only by the system's own code and words
};

// Why a whole-file write did not happen. The code and text are the system's own (errno and
// its description, or GetLastError and FormatMessage on Windows), kept for every cause so a
// report can name them; the person is shown them only for `other`.
struct WriteError {
    WriteCause cause = WriteCause::other;
    unsigned long code = 0;
    std::string system_text;
};

class UserPort {
  public:
    virtual ~UserPort() = default;

    virtual void show_message(std::string_view text, std::string_view caption, Icon icon) = 0;
    // The chosen path, or an empty text when the person cancels.
    virtual std::string choose_save_file(const SaveRequest& request) = 0;
    // The process's current folder, ending in one path separator; empty when it cannot be read.
    virtual std::string current_folder() = 0;
    virtual LocalTime local_now() = 0;
    // All bytes of the file; empty when the path is empty or the file is missing or unreadable.
    virtual std::string read_file(std::string_view path) = 0;
    // Replaces the file whole or leaves it untouched; never leaves a partial or temporary file.
    // Returns an error with its cause when the file was not written.
    virtual std::optional<WriteError> write_file(std::string_view path, std::string_view bytes) = 0;
};

}  // namespace gpais
