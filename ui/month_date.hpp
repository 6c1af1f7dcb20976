#pragma once
// Dates cross to the month calendars here and nowhere else.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "filter/date.hpp"

namespace gpais::ui {

// Sends a message that carries no text. The buffer form lends the control a writable copy of
// the caller's bytes and stores back what the control left there.
std::int32_t CONTROLMESSAGE(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
std::int32_t CONTROLMESSAGE(HWND window, UINT message, WPARAM wparam,
                            std::span<std::uint8_t> buffer);

// The date selected in calendar `control_id` when the call began; when `new_date` is a valid
// date it then becomes the selection (an empty date sets nothing).
Date MONTHDATE(HWND dialog, int control_id, std::optional<Date> new_date = std::nullopt);

}  // namespace gpais::ui
