#include "filter/date_match.hpp"

#include <array>

#include "filter/byte_search.hpp"
#include "filter/code_set.hpp"
#include "filter/npos.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace {

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

// The first `tag` at or after `from` that is the whole tag name, not the start of a longer one:
// a deposit package's "<pakuotesKodas>" is neither the packaging block nor its end.
std::size_t find_whole_tag(std::string_view text, std::string_view tag, std::size_t from) noexcept {
    for (std::size_t at = find_bytes(text, tag, from); at != npos;
         at = find_bytes(text, tag, at + 1)) {
        const std::size_t after = at + tag.size();
        if (after == text.size())
            return at;
        switch (text[after]) {
            case '>':
            case '/':
            case ' ':
            case '\t':
            case '\r':
            case '\n':
                return at;
            default:
                break;
        }
    }
    return npos;
}

// The first "<pradetaTiektiNuo" past the first closing tag of a packaging block that opens
// before `own_date`; the packaging blocks carry supply-start dates of their own that must not be
// taken for the position's. A tag that begins before `own_date` also ends before it (none of
// them holds a second "<"), so only the bytes up to it need looking at.
std::size_t skip_packaging_date(std::string_view position, std::size_t own_date,
                                std::string_view block_open, std::string_view block_close,
                                bool& applied) noexcept {
    if (find_whole_tag(position.substr(0, own_date), block_open, 0) == npos)
        return own_date;
    applied = true;
    const std::size_t block_end = find_whole_tag(position, block_close, 0);
    // A block that is never closed leaves nothing to skip to; its first date is the best there is.
    if (block_end == npos)
        return own_date;
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
    std::size_t date = find_bytes(position, date_tag, 0);
    if (date == npos)
        return Date{};

    // Only one rule applies, the one for "gaminioPakuotes" first, each past its block's first
    // closing tag only.
    bool applied = false;
    date = skip_packaging_date(position, date, products_open, products_close, applied);
    if (!applied)
        date = skip_packaging_date(position, date, packages_open, packages_close, applied);
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

bool TINKADAT(std::string_view position, Date first, Date last, ShownCodes& undated) {
    GPAIS_LEVEL("TINKADAT", GPAIS_ARGS(position, first, last));
    const Date date = own_supply_start(position);
    if (date.empty()) {
        undated.add(position_code(position));
        return false;
    }
    return first <= date && date <= last;
}

}  // namespace gpais
