#pragma once
// Start-up: the error handler first, then MAIN, whose dialog is the program's main loop.

#include "base/unique_handle.hpp"

namespace gpais::ui {

// Registers the month-calendar window class; the library must stay loaded while calendars
// exist.
UniqueModule register_calendar_class() noexcept;

// Installs the process-wide error handler; runs before MAIN so that every later failure
// reaches it.
void install_error_handler() noexcept;

// Opens the main dialog modally and returns 0 when it ends, however it ended.
int MAIN();

}  // namespace gpais::ui
