#include "windows_probe.hpp"

#include "check.hpp"

namespace gpais::e2e {

namespace {

struct Search {
    DWORD process_id;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_dialog(HWND window, LPARAM context) {
    auto& wanted = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == wanted.process_id && ::IsWindowVisible(window) && class_of(window) == L"#32770") {
        wanted.found.push_back(window);
    }
    return TRUE;
}

// For windows that may be closing while we look: a window that is gone has no caption.
std::wstring caption_of(HWND window) {
    wchar_t caption[256] = {};
    DWORD_PTR copied = 0;
    if (::SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(caption),
                              SMTO_ABORTIFHUNG, 2000, &copied) == 0) {
        return {};
    }
    return std::wstring(caption, copied < 256 ? copied : 255);
}

}  // namespace

std::vector<HWND> process_dialogs(DWORD process_id) {
    Search wanted{process_id, {}};
    ::EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&wanted));
    return wanted.found;
}

std::string describe_dialogs(DWORD process_id) {
    std::string list;
    for (HWND window : process_dialogs(process_id)) {
        list += (list.empty() ? "\"" : ", \"") + to_utf8(caption_of(window)) + "\"";
    }
    return list.empty() ? "no window of the program is open" : "open windows: " + list;
}

HWND find_dialog(DWORD process_id, const std::wstring& caption) {
    for (HWND window : process_dialogs(process_id)) {
        if (caption_of(window) == caption) {
            return window;
        }
    }
    return nullptr;
}

HWND wait_dialog(DWORD process_id, const std::wstring& caption, std::chrono::milliseconds limit) {
    try {
        return wait_for([&] { return find_dialog(process_id, caption); }, limit,
                        "the window \"" + to_utf8(caption) + "\"");
    } catch (const Failure& e) {
        throw Failure(std::string(e.what()) + "; " + describe_dialogs(process_id));
    }
}

void wait_gone(HWND window, const std::string& what, std::chrono::milliseconds limit) {
    wait_until([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, limit,
               what + " to close");
}

HWND item(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    expect(control != nullptr, "the dialog has no control " + std::to_string(id));
    return control;
}

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    const LRESULT sent =
        ::SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 5000, &result);
    expect(sent != 0, "message " + std::to_string(message) + " to a " + to_utf8(class_of(window)) +
                          " got no answer within 5 s (error " + std::to_string(::GetLastError()) +
                          ")");
    return static_cast<LRESULT>(result);
}

std::wstring text_of(HWND window) {
    const auto length = static_cast<size_t>(send(window, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return text;
}

std::wstring text_of(HWND dialog, int id) {
    return text_of(item(dialog, id));
}

void set_text(HWND window, const std::wstring& text) {
    send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    const int length = ::GetClassNameW(window, name, 64);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

bool checked(HWND button) {
    return send(button, BM_GETCHECK) == BST_CHECKED;
}

void click(HWND button) {
    expect(::PostMessageW(button, BM_CLICK, 0, 0) != FALSE, "cannot post a click");
}

void click(HWND dialog, int id) {
    click(item(dialog, id));
}

}  // namespace gpais::e2e
