#include "remote_calendar.hpp"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "check.hpp"
#include "remote_memory.hpp"
#include "windows_probe.hpp"

namespace gpais::e2e {

namespace {

using RemoteSystemtime = RemoteValue<SYSTEMTIME>;

}  // namespace

std::chrono::year_month_day calendar_date(HANDLE process, HWND calendar) {
    RemoteSystemtime buffer(process);
    SYSTEMTIME filler;
    std::memset(&filler, 0x20, sizeof filler);
    buffer.write(filler);
    expect(send(calendar, MCM_GETCURSEL, 0, buffer.address()) != 0,
           "the calendar has no selection");
    const SYSTEMTIME value = buffer.read();
    return std::chrono::year_month_day{std::chrono::year{value.wYear},
                                       std::chrono::month{value.wMonth},
                                       std::chrono::day{value.wDay}};
}

void set_calendar_date(HANDLE process, HWND calendar, std::chrono::year_month_day date) {
    SYSTEMTIME value{};
    value.wYear = static_cast<WORD>(static_cast<int>(date.year()));
    value.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    value.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    value.wDayOfWeek =
        static_cast<WORD>(std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding());
    RemoteSystemtime buffer(process);
    buffer.write(value);
    expect(send(calendar, MCM_SETCURSEL, 0, buffer.address()) != 0,
           "the calendar refused " + to_text(date));
    expect(calendar_date(process, calendar) == date, "the calendar did not take " + to_text(date));
}

SIZE calendar_minimum_size(HANDLE process, HWND calendar) {
    RemoteValue<RECT> buffer(process);
    buffer.write(RECT{});
    expect(send(calendar, MCM_GETMINREQRECT, 0, buffer.address()) != 0,
           "the calendar gives no minimum size");
    const RECT needed = buffer.read();
    return {needed.right - needed.left, needed.bottom - needed.top};
}

std::string to_text(std::chrono::year_month_day date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

}  // namespace gpais::e2e
