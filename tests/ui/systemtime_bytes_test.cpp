#include "ui/systemtime_bytes.hpp"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono;
using gpais::Date;
using gpais::ui::SystemTimeBytes;

struct ReadCase {
    const char* name;
    SystemTimeBytes bytes;
    Date expected;
};

const ReadCase read_cases[] = {
    {"a year whose first byte is not UTF-8 reads correctly",
     {0xEA, 0x07, 0x0B, 0x00, 0x01, 0x00, 0x1E, 0x00, 0, 0, 0, 0, 0, 0, 0, 0},
     Date{2026y / 11 / 30}},
    {"day of the week and time fields are not looked at",
     {0xEA, 0x07, 0x0B, 0x00, 0x06, 0x00, 0x1E, 0x00, 0x17, 0x00, 0x3B, 0, 0x3B, 0, 0xE7, 0x03},
     Date{2026y / 11 / 30}},
    {"a leap day reads back",
     {0xE8, 0x07, 0x02, 0x00, 0x04, 0x00, 0x1D, 0x00},
     Date{2024y / 2 / 29}},
    {"a year with a high low byte reads back",
     {0xF8, 0x07, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00},
     Date{2040y / 1 / 1}},
    {"a calendar that did not answer reads as the empty date", gpais::ui::blank_systemtime(),
     Date{}},
    {"month 13 is the empty date", {0xEA, 0x07, 0x0D, 0x00, 0x00, 0x00, 0x01, 0x00}, Date{}},
    {"30 February is the empty date", {0xEA, 0x07, 0x02, 0x00, 0x00, 0x00, 0x1E, 0x00}, Date{}},
    {"all zeros is the empty date", SystemTimeBytes{}, Date{}},
};

TEST(SystemTimeBytes, ReadsTheSelection) {
    for (const ReadCase& c : read_cases) {
        EXPECT_EQ(gpais::ui::unpack_selection(c.bytes), c.expected) << c.name;
    }
}

struct WriteCase {
    const char* name;
    year_month_day date;
    SystemTimeBytes expected;
};

const WriteCase write_cases[] = {
    {"a Sunday has day of the week 0",
     2026y / 11 / 1,
     {0xEA, 0x07, 0x0B, 0x00, 0x00, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"a Saturday has day of the week 6",
     2026y / 11 / 7,
     {0xEA, 0x07, 0x0B, 0x00, 0x06, 0x00, 0x07, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"a Monday has day of the week 1",
     2026y / 11 / 30,
     {0xEA, 0x07, 0x0B, 0x00, 0x01, 0x00, 0x1E, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"a leap day is written whole",
     2024y / 2 / 29,
     {0xE8, 0x07, 0x02, 0x00, 0x04, 0x00, 0x1D, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"a year with a high low byte is written unchanged",
     2047y / 12 / 31,
     {0xFF, 0x07, 0x0C, 0x00, 0x02, 0x00, 0x1F, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}},
};

TEST(SystemTimeBytes, WritesTheSelection) {
    for (const WriteCase& c : write_cases) {
        EXPECT_EQ(gpais::ui::pack_selection(c.date), c.expected) << c.name;
    }
}

TEST(SystemTimeBytes, EveryDayOfTheSupportedYearsRoundTrips) {
    for (sys_days day = sys_days{2020y / 1 / 1}; day <= sys_days{2047y / 12 / 31}; day += days{1}) {
        const year_month_day date{day};
        ASSERT_EQ(gpais::ui::unpack_selection(gpais::ui::pack_selection(date)), Date{date})
            << static_cast<int>(date.year()) << "-" << static_cast<unsigned>(date.month()) << "-"
            << static_cast<unsigned>(date.day());
    }
}

}  // namespace
