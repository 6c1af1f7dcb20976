#include "ui/startup.hpp"

#include <windows.h>
// after windows.h, which it builds on
#include <commctrl.h>

#include <type_traits>

#include "base/system_libraries.hpp"
#include "base/unique_handle.hpp"
#include "rt/call_levels.hpp"
#include "ui/main_dialog.hpp"
#include "ui/resources/resource.h"

namespace gpais::ui {

namespace {
using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
// A type that differed from the real one (a missing WINAPI) would corrupt the 32-bit stack.
static_assert(std::is_same_v<InitCommonControlsExFunction, decltype(&::InitCommonControlsEx)>);
}  // namespace

// The template names the month-calendar class, which exists only once the common controls
// have registered it. Loading them at run time keeps comctl32.dll out of the import table;
// comctl32 is no known DLL, so only System32 is asked for it, never the program's folder.
UniqueModule register_calendar_class() noexcept {
    UniqueModule common_controls{load_system_library(L"comctl32.dll")};
    if (!common_controls)
        return common_controls;
    const auto init = reinterpret_cast<InitCommonControlsExFunction>(
        reinterpret_cast<void*>(::GetProcAddress(common_controls.get(), "InitCommonControlsEx")));
    if (init != nullptr) {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
        init(&classes);
    }
    return common_controls;
}

int MAIN() {
    GPAIS_LEVEL("MAIN");
    // The process settings need no call: every text is UTF-8 inside the program and crosses to
    // UTF-16 only at the Windows call, the 1950 date epoch is part of gpais::Date's text
    // reading, and every date is turned into text with an explicit "YYYY-MM-DD" pattern.
    const UniqueModule common_controls = register_calendar_class();
    // A dialog that cannot be created (-1) is not reported: the program simply ends.
    ::DialogBoxParamW(nullptr, MAKEINTRESOURCEW(IDD_MAIN), nullptr, forwarding_dialog_proc,
                      reinterpret_cast<LPARAM>(&DIALOGFUNC));
    return 0;
}

}  // namespace gpais::ui
