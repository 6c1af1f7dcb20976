#include "ui/systemtime_bytes.hpp"

#include <cstddef>

namespace gpais::ui {

namespace {
enum Field : std::size_t { year = 0, month = 2, weekday = 4, day = 6 };

unsigned read_field(const SystemTimeBytes& bytes, std::size_t offset) noexcept {
    return static_cast<unsigned>(bytes[offset]) | static_cast<unsigned>(bytes[offset + 1]) << 8;
}

void write_field(SystemTimeBytes& bytes, std::size_t offset, unsigned value) noexcept {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}
}  // namespace

Date unpack_selection(const SystemTimeBytes& bytes) noexcept {
    return Date::from_numbers(read_field(bytes, Field::year), read_field(bytes, Field::month),
                              read_field(bytes, Field::day));
}

unsigned day_of_week(std::chrono::year_month_day date) noexcept {
    return std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding();
}

SystemTimeBytes pack_selection(std::chrono::year_month_day date) noexcept {
    SystemTimeBytes bytes{};
    write_field(bytes, Field::year, static_cast<unsigned>(static_cast<int>(date.year())));
    write_field(bytes, Field::month, static_cast<unsigned>(date.month()));
    write_field(bytes, Field::weekday, day_of_week(date));
    write_field(bytes, Field::day, static_cast<unsigned>(date.day()));
    return bytes;
}

}  // namespace gpais::ui
