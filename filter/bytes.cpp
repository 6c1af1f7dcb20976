#include "filter/bytes.hpp"

namespace gpais {

namespace {

bool is_continuation(unsigned char byte) noexcept {
    return byte >= 0x80 && byte <= 0xBF;
}

// Continuation bytes a lead byte announces; 0 for every byte that stands alone.
std::size_t announced_continuations(unsigned char byte) noexcept {
    if (byte >= 0xF0)
        return 3;
    if (byte >= 0xE0)
        return 2;
    if (byte >= 0xC0)
        return 1;
    return 0;
}

// Offset just after the character that starts at `at`.
std::size_t next_character(std::string_view text, std::size_t at) noexcept {
    std::size_t wanted = announced_continuations(static_cast<unsigned char>(text[at]));
    ++at;
    while (wanted > 0 && at < text.size() &&
           is_continuation(static_cast<unsigned char>(text[at]))) {
        ++at;
        --wanted;
    }
    return at;
}

}  // namespace

bool is_blank(std::string_view text) noexcept {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::size_t utf8_length(std::string_view text) noexcept {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at = next_character(text, at))
        ++count;
    return count;
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
        at = next_character(text, at);
        --keep;
    }
    return text.substr(0, at);
}

}  // namespace gpais
