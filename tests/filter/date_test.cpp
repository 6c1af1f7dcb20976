#include "filter/date.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace gpais {
namespace {

TEST(DateFromNumbers, OnlyRealCalendarDatesAreValid) {
    struct Case {
        const char* name;
        long long year, month, day;
        bool valid;
    };
    const Case cases[] = {
        {"ordinary date", 2021, 3, 10, true},
        {"leap day of a leap year", 2024, 2, 29, true},
        {"leap day of a century year", 2100, 2, 29, false},
        {"leap day of a 400th year", 2000, 2, 29, true},
        {"30 February", 2020, 2, 30, false},
        {"31 April", 2021, 4, 31, false},
        {"31 December", 2021, 12, 31, true},
        {"month 13", 2021, 13, 1, false},
        {"month 0", 2021, 0, 1, false},
        {"day 0", 2021, 1, 0, false},
        {"last four-digit year", 9999, 12, 31, true},
        {"five-digit year", 10000, 1, 1, false},
        {"month that would wrap to 1 in 32 bits", 2021, 4294967297LL, 1, false},
        {"day that would wrap to 1 in 32 bits", 2021, 1, 4294967297LL, false},
        {"year that would wrap in 32 bits", 4294969317LL, 1, 1, false},
        {"largest numbers", LLONG_MAX, LLONG_MAX, LLONG_MAX, false},
        {"negative numbers", -2021, -1, -1, false},
    };
    for (const Case& c : cases) {
        const Date date = Date::from_numbers(c.year, c.month, c.day);
        EXPECT_EQ(!date.empty(), c.valid) << c.name;
        if (c.valid) {
            EXPECT_EQ(date.year(), c.year) << c.name;
            EXPECT_EQ(date.month(), c.month) << c.name;
            EXPECT_EQ(date.day(), c.day) << c.name;
        }
    }
}

TEST(DateOrder, EmptyDateIsEarlierThanEveryValidDate) {
    const Date empty;
    const Date earliest = Date::from_numbers(1, 1, 1);
    const Date later = Date::from_numbers(2020, 1, 16);
    EXPECT_LT(empty, earliest);
    EXPECT_LT(earliest, later);
    EXPECT_EQ(empty, Date{});
    EXPECT_EQ(Date::from_numbers(2020, 2, 30), empty);
    EXPECT_GT(later, Date::from_numbers(2020, 1, 15));
}

TEST(DateEpoch, TwoDigitYearsFallIn1950To2049) {
    struct Case {
        long long year, expected;
    };
    const Case cases[] = {{0, 2000},  {26, 2026}, {49, 2049},   {50, 1950},   {75, 1975},
                          {99, 1999}, {100, 100}, {1949, 1949}, {2020, 2020}, {99999, 99999}};
    for (const Case& c : cases)
        EXPECT_EQ(apply_date_epoch(c.year), c.expected) << c.year;
}

TEST(ParseIsoDate, AcceptsOnlyTheStrictPattern) {
    struct Case {
        const char* text;
        std::optional<Date> expected;
    };
    const Case cases[] = {
        {"2021-03-10", Date::from_numbers(2021, 3, 10)},
        {"2024-02-29", Date::from_numbers(2024, 2, 29)},
        {"0026-01-15", Date::from_numbers(2026, 1, 15)},
        {"0075-01-15", Date::from_numbers(1975, 1, 15)},
        {"2021-02-29", std::nullopt},
        {"2021-3-10", std::nullopt},
        {"21-03-10", std::nullopt},
        {"2021-03-10 ", std::nullopt},
        {" 2021-03-10", std::nullopt},
        {"2021/03/10", std::nullopt},
        {"+021-03-10", std::nullopt},
        {"2021-+3-10", std::nullopt},
        {"2021-13-01", std::nullopt},
        {"", std::nullopt},
        {"2021-03-10T00:00", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parse_iso_date(c.text), c.expected) << c.text;
}

TEST(ToIsoString, WritesFourTwoAndTwoDigits) {
    struct Case {
        Date date;
        std::string expected;
    };
    const Case cases[] = {
        {Date::from_numbers(2021, 3, 10), "2021-03-10"},
        {Date::from_numbers(100, 1, 1), "0100-01-01"},
        {Date::from_numbers(9999, 12, 31), "9999-12-31"},
        {Date{}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(to_iso_string(c.date), c.expected);
        if (!c.date.empty()) {
            EXPECT_EQ(parse_iso_date(c.expected), c.date) << c.expected;
        }
    }
}

}  // namespace
}  // namespace gpais
