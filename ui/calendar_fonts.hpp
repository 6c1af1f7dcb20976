#pragma once
// The month calendars draw their grid in the dialog's font, which at the template's Arial 14 is
// too wide for the boxes the template gives them: the weekend and the arrow to the next month
// fall outside. Each calendar is given the largest Arial that lets its whole month show.

#include <windows.h>

#include <initializer_list>

namespace gpais::ui {

// The smallest size tried; below it the month would be hard to read, so a calendar that is
// still too small keeps this size and shows what fits.
inline constexpr int smallest_calendar_points = 8;

// The screen's resolution in pixels per inch, 96 where the screen gives none: what the dialog's
// font was sized for, and what the program sizes its own pixels by.
[[nodiscard]] int screen_pixels_per_inch() noexcept;

// For each calendar id: the largest Arial, in whole points from the dialog's own size down to
// smallest_calendar_points, at which the whole month (MCM_GETMINREQRECT) and the today line
// (MCM_GETMAXTODAYWIDTH) fit the control's client area. The
// controls keep their size and position; the fonts live until the process ends.
void fit_calendar_fonts(HWND dialog, std::initializer_list<int> calendar_ids) noexcept;

}  // namespace gpais::ui
