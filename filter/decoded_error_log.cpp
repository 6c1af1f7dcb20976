#include "filter/decoded_error_log.hpp"

#include <cstdint>
#include <string_view>

#include "base/utf8.hpp"

namespace gpais {

namespace {

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
constexpr std::string_view little_endian_mark = "\xFF\xFE";
constexpr std::string_view big_endian_mark = "\xFE\xFF";
constexpr char32_t replacement = 0xFFFD;

bool is_high_surrogate(char32_t unit) noexcept {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char32_t unit) noexcept {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The UTF-16 units after the byte-order mark, as UTF-8.
std::string from_utf16(std::string_view units, bool big_endian) {
    const std::size_t count = units.size() / 2;  // an odd last byte is no unit
    const auto unit_at = [&](std::size_t index) -> char32_t {
        const auto first = static_cast<unsigned char>(units[2 * index]);
        const auto second = static_cast<unsigned char>(units[2 * index + 1]);
        return big_endian ? (char32_t{first} << 8 | second) : (char32_t{second} << 8 | first);
    };
    std::string text;
    // A unit gives one byte (ASCII) to three, a pair of units four; GPAIS's lines are mostly
    // ASCII with a few letters of two bytes, so this is a guess the text may still grow past.
    text.reserve(count + count / 2);
    for (std::size_t index = 0; index < count; ++index) {
        const char32_t unit = unit_at(index);
        if (is_high_surrogate(unit) && index + 1 < count && is_low_surrogate(unit_at(index + 1))) {
            utf8::append(text, 0x10000 + ((unit - 0xD800) << 10) + (unit_at(index + 1) - 0xDC00));
            ++index;
        } else if (is_high_surrogate(unit) || is_low_surrogate(unit)) {
            utf8::append(text, replacement);
        } else {
            utf8::append(text, unit);
        }
    }
    return text;
}

}  // namespace

std::string decoded_error_log(std::string bytes) {
    const std::string_view view = bytes;
    if (view.starts_with(little_endian_mark))
        return from_utf16(view.substr(little_endian_mark.size()), false);
    if (view.starts_with(big_endian_mark))
        return from_utf16(view.substr(big_endian_mark.size()), true);
    if (view.starts_with(utf8_mark))
        bytes.erase(0, utf8_mark.size());
    return bytes;
}

}  // namespace gpais
