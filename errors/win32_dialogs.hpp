#pragma once
// The message box both programs show, and ending the dialogs of the calling thread after a
// fatal error, so that a modal loop does not go on waiting while the process ends.

#include <windows.h>

#include <string_view>

#include "base/message_box.hpp"

namespace gpais {

// A box with OK only and no owner: a window that is open stays usable while it is open.
void show_message_box(std::string_view text, std::string_view caption, Icon icon);

void ENDTHREADDLG();

// EnumThreadWindows callback: ends the window if it is a dialog box, and always goes on.
BOOL CALLBACK UzdaromDlg(HWND window, LPARAM unused);

}  // namespace gpais
