#pragma once
// The logo beside the calendars: a static bitmap control the dialog makes at run time, placed
// and sized for the screen's resolution (ui/screen_scale.hpp).

#include <windows.h>

namespace gpais::ui {

// At 96 DPI the 128-pixel "LOGOIMG" at 15, 50, the control taking its bitmap's size; at another
// resolution the logo drawn for that size, where it belongs there. Like every control the dialog
// makes, it is not checked: without it the dialog still works.
void create_logo(HWND dialog) noexcept;

}  // namespace gpais::ui
