#include "ui/month_date.hpp"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "rt/call_levels.hpp"
#include "ui/systemtime_bytes.hpp"

namespace gpais::ui {

std::int32_t CONTROLMESSAGE(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    GPAIS_LEVEL("CONTROLMESSAGE", GPAIS_ARGS(window, message, wparam, lparam));
    return static_cast<std::int32_t>(::SendMessageA(window, message, wparam, lparam));
}

std::int32_t CONTROLMESSAGE(HWND window, UINT message, WPARAM wparam,
                            std::span<std::uint8_t> buffer) {
    GPAIS_LEVEL("CONTROLMESSAGE", GPAIS_ARGS(window, message, wparam, buffer));
    // The control writes into a copy so that the caller's bytes change only after the call.
    std::vector<std::uint8_t> lent(buffer.begin(), buffer.end());
    const auto result =
        CONTROLMESSAGE(window, message, wparam, reinterpret_cast<LPARAM>(lent.data()));
    std::copy(lent.begin(), lent.end(), buffer.begin());
    return result;
}

Date MONTHDATE(HWND dialog, int control_id, std::optional<Date> new_date) {
    GPAIS_LEVEL("MONTHDATE", GPAIS_ARGS(dialog, control_id, new_date));
    HWND calendar = ::GetDlgItem(dialog, control_id);
    SystemTimeBytes selection = blank_systemtime();
    CONTROLMESSAGE(calendar, MCM_GETCURSEL, 0, selection);
    const Date before = unpack_selection(selection);
    if (new_date && !new_date->empty()) {
        SystemTimeBytes wanted = pack_selection(new_date->ymd());
        CONTROLMESSAGE(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(wanted.data()));
    }
    return before;
}

}  // namespace gpais::ui
