#pragma once
// The fields of the standard file dialogs' request and answer that need no window (the file
// types, the filter string and its index, the default extension, the answer cut from its
// buffer), built and cut without Windows so that their NUL-separated layouts can be checked
// anywhere.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "filter/messages.hpp"
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

}  // namespace gpais

namespace gpais::ui {

// What the standard file dialogs take besides the title, the folder and a proposed name.
struct ChooserSettings {
    std::string default_extension;  // with its leading ".", e.g. ".xml"
    std::vector<FileType> file_types;
    unsigned filter_index = 1;
};

// A chooser offering the one file type of `text`, chosen, that adds `extension` to a name
// typed without one.
[[nodiscard]] ChooserSettings chooser_settings(const ChooserText& text, std::string_view extension);
// Where the filtered product list is saved: a product list, as it was read.
[[nodiscard]] ChooserSettings list_save_settings();

// Description NUL pattern NUL for each usable pair (neither part empty), then one more NUL.
// Empty when no pair is usable, which the caller passes as a null filter.
[[nodiscard]] std::string filter_string(const std::vector<FileType>& file_types);

// Number of pairs that filter_string keeps.
[[nodiscard]] std::size_t usable_filter_count(const std::vector<FileType>& file_types) noexcept;

// The 1-based selected pair, limited to the usable pairs; 0 becomes 1 when there is a pair.
[[nodiscard]] unsigned limit_filter_index(unsigned index, std::size_t usable_pairs) noexcept;

// The dialogs want the default extension without its dot ("xml").
[[nodiscard]] std::string_view extension_without_dot(std::string_view extension) noexcept;

// A chooser's answer: from the start of the buffer up to the first NUL that is followed by a
// second NUL or by the end (the folder and file names of a multiple choice stay NUL-separated),
// or the whole buffer when it holds no NUL.
template <typename Char>
[[nodiscard]] std::basic_string_view<Char> chooser_result(
    std::basic_string_view<Char> buffer) noexcept {
    for (std::size_t nul = buffer.find(Char{}); nul != buffer.npos;
         nul = buffer.find(Char{}, nul + 1)) {
        if (nul + 1 == buffer.size() || buffer[nul + 1] == Char{})
            return buffer.substr(0, nul);
    }
    return buffer;
}

// The part of a chooser's answer that names one path: the text before its first NUL.
[[nodiscard]] std::string_view first_path(std::string_view result) noexcept;

}  // namespace gpais::ui
