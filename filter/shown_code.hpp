#pragma once
// A code as a line under a run's message shows it. Codes are bytes from a product list or an
// error log and may be anything; the line must stay one readable line of a bounded length.

#include <cstddef>
#include <string>
#include <string_view>

namespace gpais {

// Longer codes are shown by their first this many characters and "…".
inline constexpr std::size_t code_characters_shown = 40;

// The code as UTF-8 text: every byte that is not part of a valid UTF-8 sequence, and every
// control character (below U+0020, and U+007F), becomes U+FFFD. Each valid sequence and each
// replaced byte is one character.
[[nodiscard]] std::string shown_code(std::string_view code);

}  // namespace gpais
