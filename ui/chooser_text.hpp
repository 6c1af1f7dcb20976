#pragma once
// The texts that the standard file dialogs take and give back, built and cut without Windows
// so that their NUL-separated layouts can be checked anywhere.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "filter/user_port.hpp"

namespace gpais::ui {

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

// A proposed name cut into the folder it names and the file name in it. The file buffer takes
// the name alone and the initial folder the rest: the dialog takes no proposed name of MAX_PATH
// characters or more, and a list in a deep folder would be offered an empty name. A bare name
// has no folder, and the caller's initial folder stays.
struct SplitName {
    std::string_view folder;  // with its last separator; empty for a bare name
    std::string_view name;
};
[[nodiscard]] SplitName split_proposed_name(std::string_view proposed) noexcept;

// The current folder with one trailing backslash. A drive root ("C:\"), a folder already
// ending in a separator and one too long for a 264-character buffer stay as they are.
[[nodiscard]] std::string with_folder_suffix(std::string folder);

}  // namespace gpais::ui
