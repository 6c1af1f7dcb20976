#include "base/local_time.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

namespace gpais {
namespace {

// The reading is a real calendar time of today, whatever the zone: a year the system clock
// gives, a day that exists in its month, and every field in its range.
TEST(LocalTime, ReadsAValidTimeOfToday) {
    const auto before = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    const LocalTime now = read_local_time();
    const std::chrono::year_month_day utc{before};

    EXPECT_LE(std::abs(now.year - static_cast<int>(utc.year())), 1);
    const std::chrono::year_month_day day{std::chrono::year{now.year},
                                          std::chrono::month{now.month}, std::chrono::day{now.day}};
    EXPECT_TRUE(day.ok()) << now.year << '-' << now.month << '-' << now.day;
    // A zone is at most 14 hours from UTC, so the local date is within a day of UTC's.
    const auto apart = std::chrono::sys_days{day} - std::chrono::sys_days{utc};
    EXPECT_LE(std::chrono::abs(apart), std::chrono::days{1});
    EXPECT_LT(now.hour, 24u);
    EXPECT_LT(now.minute, 60u);
    EXPECT_LT(now.second, 61u);  // a leap second reads as 60
    EXPECT_LT(now.millisecond, 1000u);
}

}  // namespace
}  // namespace gpais
