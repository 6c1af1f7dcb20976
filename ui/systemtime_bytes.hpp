#pragma once
// The 16-byte SYSTEMTIME image that month calendars read and write. It is handled as eight
// little-endian 16-bit fields at fixed offsets, never as text: the year 2026 starts with the
// byte 0xEA, which is no valid UTF-8 on its own.

#include <array>
#include <chrono>
#include <cstdint>

#include "filter/date.hpp"

namespace gpais::ui {

using SystemTimeBytes = std::array<std::uint8_t, 16>;

// What a read starts from; a calendar that does not answer leaves it so, which reads as the
// empty date (year and month 8224).
[[nodiscard]] constexpr SystemTimeBytes blank_systemtime() noexcept {
    SystemTimeBytes bytes{};
    bytes.fill(0x20);
    return bytes;
}

// Year, month and day fields as a date; an impossible combination gives the empty date.
[[nodiscard]] Date unpack_selection(const SystemTimeBytes& bytes) noexcept;

// A valid date with its day of the week and zero time fields.
[[nodiscard]] SystemTimeBytes pack_selection(std::chrono::year_month_day date) noexcept;

// 0 = Sunday to 6 = Saturday, as SYSTEMTIME counts them.
[[nodiscard]] unsigned day_of_week(std::chrono::year_month_day date) noexcept;

}  // namespace gpais::ui
