#pragma once
// Documents, lines, codes and paths are byte strings: held as std::string, sliced as
// std::string_view, never decoded or re-encoded.

#include <cstddef>
#include <string_view>

namespace gpais {

// Blank: empty, or only space, tab, CR and LF.
[[nodiscard]] bool is_blank(std::string_view text) noexcept;

// Number of characters in a UTF-8 text, where a lead byte takes as many continuation bytes
// as it announces and a cut-short or stray sequence still counts as one character.
[[nodiscard]] std::size_t utf8_length(std::string_view text) noexcept;

// The text less its last `count` characters (counted as utf8_length counts them); empty when
// the text has no more than `count` characters.
[[nodiscard]] std::string_view utf8_drop_last(std::string_view text, std::size_t count) noexcept;

}  // namespace gpais
