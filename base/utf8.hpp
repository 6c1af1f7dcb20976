#pragma once
// What one UTF-8 character is, for everything that counts characters: the filter's path
// names and the crash report's stack columns must agree, so both use this rule. Texts are
// never decoded: a cut-short or stray sequence is still one character.

#include <cstddef>
#include <string_view>

namespace gpais::utf8 {

[[nodiscard]] constexpr bool is_continuation(unsigned char byte) noexcept {
    return byte >= 0x80 && byte <= 0xBF;
}

// Continuation bytes a lead byte announces; 0 for every byte that stands alone.
[[nodiscard]] constexpr std::size_t announced_continuations(unsigned char byte) noexcept {
    if (byte >= 0xF0)
        return 3;
    if (byte >= 0xE0)
        return 2;
    if (byte >= 0xC0)
        return 1;
    return 0;
}

// Offset just after the character that starts at `at`: a lead byte takes as many continuation
// bytes as it announces and finds, and a cut-short or stray sequence is still one character.
[[nodiscard]] constexpr std::size_t next_character(std::string_view text, std::size_t at) noexcept {
    std::size_t wanted = announced_continuations(static_cast<unsigned char>(text[at]));
    ++at;
    while (wanted > 0 && at < text.size() &&
           is_continuation(static_cast<unsigned char>(text[at]))) {
        ++at;
        --wanted;
    }
    return at;
}

[[nodiscard]] constexpr std::size_t length(std::string_view text) noexcept {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at = next_character(text, at))
        ++count;
    return count;
}

// The text less its last `count` characters; empty when it has no more than `count`. Characters
// are only delimited reading forwards (a stray continuation byte is a character of its own), so
// the cut is found by counting from the front.
[[nodiscard]] constexpr std::string_view drop_last(std::string_view text,
                                                   std::size_t count) noexcept {
    const std::size_t total = length(text);
    if (total <= count)
        return {};
    std::size_t at = 0;
    for (std::size_t keep = total - count; keep > 0; --keep)
        at = next_character(text, at);
    return text.substr(0, at);
}

// The end of the longest beginning of `text` that holds at most `limit` bytes and cuts no
// character; a first character longer than `limit` is taken whole, so a piece is never empty.
// Pieces of a text converted one by one then read as the whole text converted at once.
[[nodiscard]] constexpr std::size_t piece_end(std::string_view text, std::size_t limit) noexcept {
    if (text.empty())
        return 0;
    std::size_t end = next_character(text, 0);
    while (end < text.size()) {
        const std::size_t next = next_character(text, end);
        if (next > limit)
            break;
        end = next;
    }
    return end;
}

}  // namespace gpais::utf8
