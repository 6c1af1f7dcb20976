#pragma once
// Dates cross to the month calendars here and nowhere else.

#include <windows.h>

#include <optional>

#include "filter/date.hpp"

namespace gpais::ui {

// The date selected in calendar `control_id` when the call began; when `new_date` is a valid
// date it then becomes the selection (an empty date sets nothing).
Date MONTHDATE(HWND dialog, int control_id, std::optional<Date> new_date = std::nullopt);

}  // namespace gpais::ui
