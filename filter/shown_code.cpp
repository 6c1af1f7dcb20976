#include "filter/shown_code.hpp"

#include "base/utf8.hpp"
#include "filter/messages.hpp"

namespace gpais {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view ellipsis = "\xE2\x80\xA6";     // …

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
        } else if (const std::size_t length = utf8::well_formed_length(code, at); length > 0) {
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

void ShownCodes::add(std::string_view code) {
    if (++count <= messages::codes_named)
        first.push_back(code.empty() ? std::string(messages::no_code) : shown_code(code));
}

}  // namespace gpais
