#include "filter/shown_code.hpp"

#include "base/utf8.hpp"

namespace gpais {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view ellipsis = "\xE2\x80\xA6";     // …

// Length of the well-formed UTF-8 sequence at `at`, or 0. Overlong forms, surrogates and values
// above U+10FFFF are not well formed: the second byte's range depends on the first.
std::size_t sequence_length(std::string_view text, std::size_t at) noexcept {
    const auto byte = [&](std::size_t offset) {
        return static_cast<unsigned char>(text[at + offset]);
    };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char second_low = 0x80, second_high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            second_low = 0xA0;
        if (lead == 0xED)
            second_high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            second_low = 0x90;
        if (lead == 0xF4)
            second_high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - at < length || byte(1) < second_low || byte(1) > second_high)
        return 0;
    for (std::size_t offset = 2; offset < length; ++offset) {
        if (!utf8::is_continuation(byte(offset)))
            return 0;
    }
    return length;
}

}  // namespace

std::string shown_code(std::string_view code) {
    std::string shown;
    std::size_t characters = 0;
    std::size_t at = 0;
    for (; at < code.size() && characters < code_characters_shown; ++characters) {
        const auto lead = static_cast<unsigned char>(code[at]);
        if (lead < 0x80) {
            if (lead < 0x20 || lead == 0x7F) {
                shown.append(replacement);
            } else {
                shown.push_back(code[at]);
            }
            ++at;
        } else if (const std::size_t length = sequence_length(code, at); length > 0) {
            shown.append(code.substr(at, length));
            at += length;
        } else {
            shown.append(replacement);
            ++at;
        }
    }
    if (at < code.size())
        shown.append(ellipsis);
    return shown;
}

}  // namespace gpais
