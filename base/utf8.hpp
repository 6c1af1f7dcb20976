#pragma once
// UTF-8 as this program reads and writes it, in one place.
//
// What one character is, for everything that counts characters: the filter's path names and
// the crash report's stack columns must agree, so both use this rule. Counting never decodes: a
// cut-short or stray sequence is still one character. Windows' buffers count UTF-16 units
// instead, which differ only for characters beyond U+FFFF.
//
// Where a text must be shown and may be broken, whether a sequence is well formed; and where a
// text arrives as code points (a UTF-16 error log), their UTF-8 bytes.

#include <cstddef>
#include <string>
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

// The UTF-16 units Windows holds the text in, which its buffers are counted in: two for a
// character of four bytes (beyond U+FFFF, a surrogate pair), one for every other character.
[[nodiscard]] constexpr std::size_t utf16_length(std::string_view text) noexcept {
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = next_character(text, at);
        units += next - at == 4 ? 2 : 1;
        at = next;
    }
    return units;
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

// Length of the well-formed UTF-8 sequence that starts at `at`, or 0 where none does: 1 for an
// ASCII byte. Overlong forms, surrogates, values above U+10FFFF and cut-short sequences are not
// well formed; which second bytes are allowed depends on the lead byte.
[[nodiscard]] constexpr std::size_t well_formed_length(std::string_view text,
                                                       std::size_t at) noexcept {
    const auto byte = [&](std::size_t offset) {
        return static_cast<unsigned char>(text[at + offset]);
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    // C0 and C1 could only start overlong forms, and F5 and above values past U+10FFFF.
    if (lead < 0xC2 || lead > 0xF4)
        return 0;
    const std::size_t length = announced_continuations(lead) + 1;
    // Four lead bytes narrow the second byte: E0 and F0 against overlong forms, ED against
    // surrogates, F4 against values past U+10FFFF.
    unsigned char second_low = 0x80, second_high = 0xBF;
    if (lead == 0xE0)
        second_low = 0xA0;
    else if (lead == 0xF0)
        second_low = 0x90;
    else if (lead == 0xED)
        second_high = 0x9F;
    else if (lead == 0xF4)
        second_high = 0x8F;
    if (text.size() - at < length || byte(1) < second_low || byte(1) > second_high)
        return 0;
    for (std::size_t offset = 2; offset < length; ++offset) {
        if (!is_continuation(byte(offset)))
            return 0;
    }
    return length;
}

// Appends the UTF-8 bytes of `code_point`, which the caller has made a scalar value (no
// surrogate, at most U+10FFFF).
inline void append(std::string& text, char32_t code_point) {
    const auto byte = [&](char32_t value) { text.push_back(static_cast<char>(value)); };
    if (code_point < 0x80) {
        byte(code_point);
    } else if (code_point < 0x800) {
        byte(0xC0 | (code_point >> 6));
        byte(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        byte(0xE0 | (code_point >> 12));
        byte(0x80 | ((code_point >> 6) & 0x3F));
        byte(0x80 | (code_point & 0x3F));
    } else {
        byte(0xF0 | (code_point >> 18));
        byte(0x80 | ((code_point >> 12) & 0x3F));
        byte(0x80 | ((code_point >> 6) & 0x3F));
        byte(0x80 | (code_point & 0x3F));
    }
}

}  // namespace gpais::utf8
