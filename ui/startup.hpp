#pragma once
// Start-up: MAIN, whose dialog is the program's main loop, and the calendar class it needs. The
// error handler is installed before it (main.cpp), as the console command installs its own.

#include "base/unique_handle.hpp"

namespace gpais::ui {

// Registers the month-calendar window class; the library must stay loaded while calendars
// exist.
UniqueModule register_calendar_class() noexcept;

// Opens the main dialog modally and returns 0 when it ends, however it ended.
int MAIN();

}  // namespace gpais::ui
