#include "filter/bytes.hpp"

#include "errors/utf8.hpp"

namespace gpais {

bool is_blank(std::string_view text) noexcept {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::size_t utf8_length(std::string_view text) noexcept {
    return utf8::length(text);
}

std::string_view utf8_drop_last(std::string_view text, std::size_t count) noexcept {
    // Characters are only delimited reading forwards (a stray continuation byte is a character
    // of its own), so the cut is found by counting from the front.
    const std::size_t total = utf8_length(text);
    if (total <= count)
        return {};
    std::size_t keep = total - count;
    std::size_t at = 0;
    while (keep > 0) {
        at = utf8::next_character(text, at);
        --keep;
    }
    return text.substr(0, at);
}

}  // namespace gpais
