#pragma once
// A code as a line under a run's message shows it, and the codes such a line names. Codes are
// bytes from a product list or an error log and may be anything; the line must stay one readable
// line of a bounded length.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gpais {

// Longer codes are shown by their first this many characters and "…".
inline constexpr std::size_t code_characters_shown = 40;

// The code as UTF-8 text: every byte that is not part of a valid UTF-8 sequence, and every
// control character (below U+0020, and U+007F), becomes U+FFFD. Each valid sequence and each
// replaced byte is one character.
[[nodiscard]] std::string shown_code(std::string_view code);

// The codes a line under a run's message names, gathered one at a time in both modes: the
// codes of the error log that the list lacks, and the positions without a date of their own.
struct ShownCodes {
    std::size_t count = 0;
    // The first of them (as many as a line names), each as the line shows it.
    std::vector<std::string> first;

    // Counts the code and, while the line has room for it, keeps it as shown: an empty code as
    // "be kodo", any other by shown_code. Kept as a copy, since the scan moves the document's
    // bytes under a position as soon as it is cut.
    void add(std::string_view code);
};

}  // namespace gpais
