#pragma once
// Documents, lines, codes and paths are byte strings: held as std::string, sliced as
// std::string_view, never decoded or re-encoded.

#include <string_view>

namespace gpais {

// Blank: empty, or only space, tab, CR and LF.
[[nodiscard]] bool is_blank(std::string_view text) noexcept;

}  // namespace gpais
