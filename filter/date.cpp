#include "filter/date.hpp"

#include <array>
#include <charconv>

namespace gpais {

Date Date::from_numbers(long long year, long long month, long long day) noexcept {
    // The range checks come before any narrowing into the calendar types, so that a huge
    // value can never wrap around into a plausible one.
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return Date{};
    return Date{std::chrono::year_month_day{std::chrono::year{static_cast<int>(year)},
                                            std::chrono::month{static_cast<unsigned>(month)},
                                            std::chrono::day{static_cast<unsigned>(day)}}};
}

int Date::year() const noexcept {
    return static_cast<int>(ymd().year());
}
unsigned Date::month() const noexcept {
    return static_cast<unsigned>(ymd().month());
}
unsigned Date::day() const noexcept {
    return static_cast<unsigned>(ymd().day());
}

namespace {

bool all_digits(std::string_view text) noexcept {
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return !text.empty();
}

long long to_number(std::string_view digits) noexcept {
    long long value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

}  // namespace

std::optional<Date> parse_iso_date(std::string_view text) noexcept {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const std::string_view year = text.substr(0, 4), month = text.substr(5, 2),
                           day = text.substr(8, 2);
    if (!all_digits(year) || !all_digits(month) || !all_digits(day))
        return std::nullopt;
    // The program reads every date text under the 1950 epoch, so "0026-01-15" is 2026 here too.
    const Date date =
        Date::from_numbers(apply_date_epoch(to_number(year)), to_number(month), to_number(day));
    if (date.empty())
        return std::nullopt;
    return date;
}

std::string to_iso_string(Date date) {
    if (date.empty())
        return {};
    std::array<char, 10> text{'0', '0', '0', '0', '-', '0', '0', '-', '0', '0'};
    const auto put = [&text](std::size_t end, unsigned value) {
        for (std::size_t at = end; value > 0; value /= 10)
            text[--at] = static_cast<char>('0' + value % 10);
    };
    put(4, static_cast<unsigned>(date.year()));
    put(7, date.month());
    put(10, date.day());
    return std::string(text.data(), text.size());
}

}  // namespace gpais
