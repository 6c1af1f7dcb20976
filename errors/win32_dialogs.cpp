#include "errors/win32_dialogs.hpp"

namespace gpais {

void ENDTHREADDLG() {
    (void)::EnumThreadWindows(::GetCurrentThreadId(), &UzdaromDlg, 0);
}

BOOL CALLBACK UzdaromDlg(HWND window, LPARAM) {
    char class_name[256] = {};
    ::GetClassNameA(window, class_name, static_cast<int>(sizeof class_name));
    // The dialog box class, matched exactly: a window of any other class is left open.
    if (::lstrcmpA(class_name, "#32770") == 0)
        ::EndDialog(window, -1);
    return TRUE;
}

}  // namespace gpais
