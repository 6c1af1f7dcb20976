#include "ui/month_date.hpp"

#include <commctrl.h>

#include "rt/call_levels.hpp"
#include "ui/control_message.hpp"
#include "ui/systemtime_bytes.hpp"

namespace gpais::ui {

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
