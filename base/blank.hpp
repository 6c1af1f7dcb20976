#pragma once
// Which bytes are blank: space, tab, CR and LF, and no others (not form feed, vertical tab, NUL
// or the no-break space). A line left behind by a cut position, a path or a chosen name that
// holds nothing, and the gaps between command-line arguments are all told by this one rule, so
// that what one part takes for empty no other part reads as text. Bytes only: a multi-byte UTF-8
// sequence never holds one of these.

#include <string_view>

namespace gpais {

[[nodiscard]] constexpr bool is_blank_byte(char byte) noexcept {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

// Empty, or blank bytes only.
[[nodiscard]] constexpr bool is_blank(std::string_view text) noexcept {
    for (const char byte : text) {
        if (!is_blank_byte(byte))
            return false;
    }
    return true;
}

}  // namespace gpais
