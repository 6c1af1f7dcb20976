#include "filter/date_match.hpp"

#include <array>
#include <cstring>

#include "errors/call_levels.hpp"
#include "filter/byte_search.hpp"

namespace gpais {

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::size_t date_window = 20;
// Above every valid year, month and day: a field that reaches it stays there, so any number of
// digits reads as "too large" instead of overflowing into a plausible value.
constexpr long long field_ceiling = 100'000;

bool is_digit(char c) noexcept {
    return c >= '0' && c <= '9';
}

constexpr std::string_view date_tag = "<pradetaTiektiNuo";
constexpr std::string_view products_open = "<gaminioPakuotes";
constexpr std::string_view products_close = "</gaminioPakuotes";
constexpr std::string_view packages_open = "<pakuotes";
constexpr std::string_view packages_close = "</pakuotes";

// The tags that decide which date element is the position's own, as far as they stand before
// the first date tag: a packaging block that opens after it changes nothing, so nothing past it
// needs looking at.
struct TagsBeforeDate {
    std::size_t date = npos;  // the first "<pradetaTiektiNuo"
    bool products_block = false;
    bool packages_block = false;
    std::size_t products_end = npos;  // the first "</gaminioPakuotes", when before the date
    std::size_t packages_end = npos;  // the first "</pakuotes", when before the date
};

// One walk over the "<" bytes instead of a search through the whole position for each tag: the
// tags differ in their second byte, so each "<" is compared with one of them at most.
TagsBeforeDate tags_before_date(std::string_view position) noexcept {
    TagsBeforeDate tags;
    const char* const begin = position.data();
    const char* const end = begin + position.size();
    for (const char* at = begin; at < end; ++at) {
        at = static_cast<const char*>(std::memchr(at, '<', static_cast<std::size_t>(end - at)));
        if (at == nullptr)
            break;
        const std::string_view rest(at, static_cast<std::size_t>(end - at));
        const auto offset = static_cast<std::size_t>(at - begin);
        if (rest.size() < 2)
            break;
        switch (rest[1]) {
            case 'p':
                if (rest.starts_with(date_tag)) {
                    tags.date = offset;
                    return tags;
                }
                tags.packages_block = tags.packages_block || rest.starts_with(packages_open);
                break;
            case 'g':
                tags.products_block = tags.products_block || rest.starts_with(products_open);
                break;
            case '/':
                if (tags.products_end == npos && rest.starts_with(products_close))
                    tags.products_end = offset;
                else if (tags.packages_end == npos && rest.starts_with(packages_close))
                    tags.packages_end = offset;
                break;
            default:
                break;
        }
    }
    return tags;
}

// The first "<pradetaTiektiNuo" past the first closing tag of a packaging block that opened
// before the first date tag; the packaging blocks carry supply-start dates of their own that
// must not be taken for the position's. `block_end` is that closing tag when it was met before
// the first date tag.
std::size_t skip_packaging_date(std::string_view position, std::size_t first_date,
                                std::size_t block_end, std::string_view block_close) noexcept {
    if (block_end == npos)
        block_end = find_bytes(position, block_close, first_date);
    // A block that is never closed leaves nothing to skip to; its first date is the best there is.
    if (block_end == npos)
        return first_date;
    return find_bytes(position, date_tag, block_end);
}

}  // namespace

Date read_date_field(std::string_view value) noexcept {
    value = value.substr(0, date_window);
    std::array<long long, 3> fields{};  // year, month, day
    std::size_t field = 0;
    bool in_digits = false;
    for (const char c : value) {
        if (is_digit(c)) {
            long long& number = fields[field];
            number = number * 10 + (c - '0');
            if (number > field_ceiling)
                number = field_ceiling;
            in_digits = true;
        } else if (in_digits) {
            in_digits = false;
            if (++field == fields.size())
                break;  // the day is complete; a time of day may follow
        }
    }
    return Date::from_numbers(apply_date_epoch(fields[0]), fields[1], fields[2]);
}

Date own_supply_start(std::string_view position) noexcept {
    const TagsBeforeDate tags = tags_before_date(position);
    std::size_t date = tags.date;
    if (date == npos)
        return Date{};
    // Only one rule applies, the one for "gaminioPakuotes" first, each past its block's first
    // closing tag only.
    if (tags.products_block)
        date = skip_packaging_date(position, date, tags.products_end, products_close);
    else if (tags.packages_block)
        date = skip_packaging_date(position, date, tags.packages_end, packages_close);
    if (date == npos)
        return Date{};

    const std::size_t start_tag_end = position.find('>', date);
    const std::size_t value_start = start_tag_end == npos ? 0 : start_tag_end + 1;
    return read_date_field(position.substr(value_start));
}

bool TINKADAT(std::string_view position, Date first, Date last) noexcept {
    GPAIS_LEVEL("TINKADAT", GPAIS_ARGS(position, first, last));
    const Date date = own_supply_start(position);
    return !date.empty() && first <= date && date <= last;
}

}  // namespace gpais
