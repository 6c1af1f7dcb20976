#pragma once
// Everything a filter run needs from the person and the machine. The Windows program answers
// with message boxes and the Save As dialog, the command line with console output, the tests
// with fakes that record every call.

#include <string>
#include <string_view>
#include <vector>

#include "base/local_time.hpp"
#include "filter/messages.hpp"
#include "filter/read_result.hpp"
#include "filter/write_result.hpp"
#include "rt/value.hpp"

namespace gpais {

struct FileType {
    std::string description;  // "GPAIS failai (*.xml)"
    std::string pattern;      // "*.xml" or "*.log;*.txt"
};

// The one file type a chooser of the system's offers.
inline FileType file_type_of(const ChooserText& chooser) {
    return FileType{std::string(chooser.file_type), std::string(chooser.pattern)};
}

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

class UserPort {
  public:
    virtual ~UserPort() = default;

    virtual void show_message(std::string_view text, std::string_view caption, Icon icon) = 0;
    // The chosen path, or an empty text when the person cancels.
    virtual std::string choose_save_file(const SaveRequest& request) = 0;
    // The process's current folder, ending in one path separator; empty when it cannot be read.
    virtual std::string current_folder() = 0;
    virtual LocalTime local_now() = 0;
    // All bytes of the file (none for an empty path), or why it could not be read at all.
    virtual ReadResult read_file(std::string_view path) = 0;
    // Replaces the file whole or leaves it untouched; never leaves a partial or temporary file.
    virtual WriteResult write_file(std::string_view path, std::string_view bytes) = 0;
};

}  // namespace gpais
