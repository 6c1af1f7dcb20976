// A stand-in for the program with the same failure reporting and one dialog, whose procedure
// fails on purpose in the way its only argument names: "access" (a write through a null
// pointer), "divide" (an integer division by zero in machine code), "overflow" (a stack
// overflow from endless recursion) or "exception" (a C++
// exception that reaches the dialog procedure's boundary). It shows which failures of a
// dialog procedure reach the crash report under Windows or Wine.
#include <windows.h>

#include <shellapi.h>

#include <stdexcept>
#include <string>

#include "errors/error_handler.hpp"
#include "errors/raise.hpp"
#include "errors/win32_platform.hpp"
#include "rt/call_levels.hpp"

namespace {

constexpr UINT fail_now = WM_APP + 1;

std::wstring failure_kind() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::wstring kind = count > 1 ? arguments[1] : L"";
    ::LocalFree(arguments);
    return kind;
}

volatile int* volatile nowhere = nullptr;
volatile int seven = 7;  // 1 / x would be computed without a division
volatile int zero = 0;

volatile int never = -1;

// Deep enough to overflow any stack; the volatile test keeps the compiler from proving that it
// never ends, or from turning it into a loop.
int recurse(int depth) {
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    if (depth == never)
        return 0;
    return recurse(depth + 1) + frame[0];
}

void fail(const std::wstring& kind) {
    GPAIS_LEVEL("FAIL", GPAIS_ARGS(kind));
    GPAIS_LINE();
    if (kind == L"access") {
        *nowhere = 1;
    } else if (kind == L"divide") {
        volatile int quotient = seven / zero;
        (void)quotient;
    } else if (kind == L"overflow") {
        (void)recurse(0);
    } else {
        throw std::runtime_error("bandomoji klaida");
    }
}

INT_PTR CALLBACK probe_dialog(HWND dialog, UINT message, WPARAM, LPARAM) noexcept {
    if (message == WM_INITDIALOG) {
        ::PostMessageW(dialog, fail_now, 0, 0);
        return TRUE;
    }
    if (message == fail_now) {
        const std::wstring kind = failure_kind();
        gpais::at_boundary([&] { fail(kind); });
    }
    return FALSE;
}

// A dialog template in memory: a visible popup with a caption and no controls.
struct Template {
    DLGTEMPLATE head;
    WORD menu, window_class;
    wchar_t title[9];
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    gpais::install_error_handling(gpais::win32_error_platform());
    alignas(4) Template form{};
    form.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    form.head.cx = 120;
    form.head.cy = 40;
    std::wstring(L"Bandymas").copy(form.title, 8);
    gpais::at_boundary([&] {
        GPAIS_LEVEL("MAIN");
        return ::DialogBoxIndirectParamW(nullptr, &form.head, nullptr, probe_dialog, 0);
    });
    return 0;
}
