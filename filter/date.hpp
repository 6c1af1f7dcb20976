#pragma once
// A calendar date or the empty date. The empty date compares earlier than every valid date
// and never lies in a period.

#include <chrono>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace gpais {

class Date {
  public:
    constexpr Date() noexcept = default;  // the empty date
    constexpr explicit Date(std::chrono::year_month_day ymd) noexcept {
        if (ymd.ok())
            value_ = ymd;
    }

    // Any combination of numbers; an impossible one (month 13, 30 February, year above 9999,
    // a number too large for its field) gives the empty date.
    [[nodiscard]] static Date from_numbers(long long year, long long month, long long day) noexcept;

    [[nodiscard]] constexpr bool empty() const noexcept { return !value_.has_value(); }
    // Only meaningful when not empty.
    [[nodiscard]] constexpr std::chrono::year_month_day ymd() const noexcept {
        return value_.value_or(std::chrono::year_month_day{});
    }
    [[nodiscard]] int year() const noexcept;
    [[nodiscard]] unsigned month() const noexcept;
    [[nodiscard]] unsigned day() const noexcept;

    friend constexpr bool operator==(const Date&, const Date&) noexcept = default;
    friend constexpr std::strong_ordering operator<=>(const Date& a, const Date& b) noexcept {
        if (a.empty() || b.empty())
            return !a.empty() <=> !b.empty();
        return *a.value_ <=> *b.value_;
    }

  private:
    std::optional<std::chrono::year_month_day> value_;
};

// Year values below 100 move into the hundred years that begin with 1950: 0..49 give
// 2000..2049, 50..99 give 1950..1999; larger values stand as they are.
[[nodiscard]] constexpr long long apply_date_epoch(long long year) noexcept {
    if (year < 0 || year >= 100)
        return year;
    return year < 50 ? 2000 + year : 1900 + year;
}

// Strict "YYYY-MM-DD" (four, two and two digits); anything else gives nothing.
[[nodiscard]] std::optional<Date> parse_iso_date(std::string_view text) noexcept;

// "YYYY-MM-DD", or "" for the empty date.
[[nodiscard]] std::string to_iso_string(Date date);

}  // namespace gpais
