#include "errors/win32_dialogs.hpp"

#include <string>

#include "base/text_convert.hpp"

namespace gpais {

void show_message_box(std::string_view text, std::string_view caption, Icon icon) {
    const std::wstring wide_text = to_wide(text);
    const std::wstring wide_caption = to_wide(caption);
    // The icons are the box's own flags, and MB_OK is none.
    ::MessageBoxW(nullptr, wide_text.c_str(), wide_caption.c_str(),
                  MB_OK | static_cast<UINT>(icon));
}

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
