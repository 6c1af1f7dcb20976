// The month calendars of another process. Their messages carry a pointer to a structure, which
// Windows does not carry across processes, so the structure is placed in the program's own
// memory and read back from there.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace gpais::e2e {

std::chrono::year_month_day calendar_date(HANDLE process, HWND calendar);
void set_calendar_date(HANDLE process, HWND calendar, std::chrono::year_month_day date);
// The size MCM_GETMINREQRECT gives: what the calendar needs to show one whole month.
SIZE calendar_minimum_size(HANDLE process, HWND calendar);

std::string to_text(std::chrono::year_month_day date);

}  // namespace gpais::e2e
