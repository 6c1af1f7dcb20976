#pragma once
// The one modal dialog: mode, period, paths, and the button that starts the filter run.

#include <windows.h>

#include <optional>

namespace gpais::ui {

// What the dialog returns however it is closed.
inline constexpr INT_PTR dialog_result = 3;

// Acts on WM_INITDIALOG, WM_CLOSE, WM_COMMAND and WM_DROPFILES; everything else is left to
// Windows. Only WM_COMMAND comes with the notification code and the control id (the high and
// low word of wparam); other messages leave them out, and a crash report shows them as not
// passed.
void DIALOGFUNC(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                std::optional<unsigned> notification_code = {},
                std::optional<unsigned> control_id = {});

using DialogFunction = void (*)(HWND, UINT, WPARAM, LPARAM, std::optional<unsigned>,
                                std::optional<unsigned>);

// The procedure given to DialogBoxParamW with a DialogFunction as its initialisation value:
// forwards every message from WM_INITDIALOG on and always answers FALSE, so Windows' default
// dialog processing runs after each one and the focus set at start stays.
INT_PTR CALLBACK forwarding_dialog_proc(HWND dialog, UINT message, WPARAM wparam,
                                        LPARAM lparam) noexcept;

}  // namespace gpais::ui
