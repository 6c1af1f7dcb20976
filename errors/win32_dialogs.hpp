#pragma once
// Ending the dialogs of the calling thread after a fatal error, so that a modal loop does not
// go on waiting while the process ends.

#include <windows.h>

namespace gpais {

void ENDTHREADDLG();

// EnumThreadWindows callback: ends the window if it is a dialog box, and always goes on.
BOOL CALLBACK UzdaromDlg(HWND window, LPARAM unused);

}  // namespace gpais
