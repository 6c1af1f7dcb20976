#include "ui/default_period.hpp"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono;
using gpais::Date;

struct Case {
    const char* name;
    year_month_day today;
    year_month_day first;
    year_month_day last;
};

const Case cases[] = {
    {"early in a month gives the previous month", 2026y / 12 / 7, 2026y / 11 / 1, 2026y / 11 / 30},
    {"the last day of a month gives that month", 2026y / 12 / 31, 2026y / 12 / 1, 2026y / 12 / 31},
    {"the first of March gives February", 2026y / 3 / 1, 2026y / 2 / 1, 2026y / 2 / 28},
    {"a leap February ends on the 29th", 2024y / 3 / 15, 2024y / 2 / 1, 2024y / 2 / 29},
    {"January gives December of the year before", 2027y / 1 / 10, 2026y / 12 / 1, 2026y / 12 / 31},
    {"the 28th of a leap February is not its last day", 2024y / 2 / 28, 2024y / 1 / 1,
     2024y / 1 / 31},
    {"the 29th of a leap February is its last day", 2024y / 2 / 29, 2024y / 2 / 1, 2024y / 2 / 29},
    {"the 28th of a common February is its last day", 2026y / 2 / 28, 2026y / 2 / 1,
     2026y / 2 / 28},
    {"the 30th of a 31-day month is not its last day", 2026y / 1 / 30, 2025y / 12 / 1,
     2025y / 12 / 31},
    {"the 30th of a 30-day month is its last day", 2026y / 4 / 30, 2026y / 4 / 1, 2026y / 4 / 30},
};

TEST(DefaultPeriod, IsTheLastCompleteMonth) {
    for (const Case& c : cases) {
        const gpais::ui::Period period = gpais::ui::default_period(c.today);
        EXPECT_EQ(period.first, Date{c.first}) << c.name;
        EXPECT_EQ(period.last, Date{c.last}) << c.name;
    }
}

}  // namespace
