#include "user_session.hpp"

#include <cwchar>
#include <thread>

#include "base/local_time.hpp"
#include "check.hpp"
#include "remote_calendar.hpp"
#include "screen.hpp"
#include "windows_probe.hpp"

namespace gpais::e2e {

namespace {

// Wine and Windows both keep the chooser's file name in an edit inside this combo box.
constexpr int chooser_file_name_combo = 0x47C;

HWND file_name_field(HWND chooser) {
    HWND combo = item(chooser, chooser_file_name_combo);
    HWND edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
    return edit != nullptr ? edit : combo;
}

int visible_buttons(HWND box) {
    int count = 0;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (class_of(child) == L"Button" && ::IsWindowVisible(child)) {
            ++count;
        }
    }
    return count;
}

HWND icon_control(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if (class_of(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON &&
            ::IsWindowVisible(child)) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

ExpectedBox box_of(const Message& message) {
    const wchar_t* icon = IDI_INFORMATION;
    switch (message.icon) {
        case Icon::error:
            icon = IDI_ERROR;
            break;
        case Icon::warning:
            icon = IDI_WARNING;
            break;
        case Icon::information:
            icon = IDI_INFORMATION;
            break;
    }
    return {to_wide(message.text), to_wide(message.caption), icon};
}

ExpectedBox box_of(const ComposedMessage& message) {
    return box_of(message.view());
}

Ymd today() {
    const LocalTime now = read_local_time();
    return Ymd{std::chrono::year{now.year}, std::chrono::month{now.month},
               std::chrono::day{now.day}};
}

std::pair<Ymd, Ymd> default_period(Ymd day) {
    using namespace std::chrono;
    const year_month_day_last month_end{day.year(), month_day_last{day.month()}};
    const Ymd last = day == Ymd{month_end}
                         ? day
                         : Ymd{sys_days{day.year() / day.month() / std::chrono::day{1}} - days{1}};
    return {last.year() / last.month() / std::chrono::day{1}, last};
}

std::wstring name_stamp(const SYSTEMTIME& time) {
    wchar_t stamp[32];
    std::swprintf(stamp, 32, L"_%02u%02u%02u %02u%02u.xml", time.wYear % 100u, time.wMonth,
                  time.wDay, time.wHour, time.wMinute);
    return stamp;
}

UserSession::UserSession(const Workspace& place, const std::filesystem::path& exe,
                         const std::wstring& command_tail)
    : program_(exe, command_tail, place.start()) {
    dialog_ = wait_dialog(program_.id(), main_caption, 20s);
}

HWND UserSession::control(int id) const {
    return item(dialog_, id);
}

Ymd UserSession::date(int calendar) const {
    return calendar_date(program_.process(), control(calendar));
}

void UserSession::set_date(int calendar, Ymd value) {
    set_calendar_date(program_.process(), control(calendar), value);
}

void UserSession::set_period(Ymd first, Ymd last) {
    set_date(IDC_CAL_FROM, first);
    set_date(IDC_CAL_TO, last);
}

std::wstring UserSession::text(int id) const {
    return text_of(control(id));
}

void UserSession::set_text(int id, const std::wstring& value) {
    e2e::set_text(control(id), value);
}

void UserSession::click(int id) {
    e2e::click(control(id));
}

void UserSession::choose_mode(int button) {
    click(button);
    wait_until([&] { return checked(control(button)); }, 5s,
               "button " + std::to_string(button) + " to be checked");
}

HWND UserSession::wait_chooser(const std::wstring& title) {
    return wait_dialog(program_.id(), title);
}

std::wstring UserSession::chooser_file_name(HWND chooser) const {
    return text_of(file_name_field(chooser));
}

void UserSession::accept_chooser(HWND chooser, const std::wstring& name) {
    e2e::set_text(file_name_field(chooser), name);
    e2e::click(chooser, IDOK);
    wait_gone(chooser, "the file chooser");
}

void UserSession::cancel_chooser(HWND chooser) {
    e2e::click(chooser, IDCANCEL);
    wait_gone(chooser, "the file chooser");
}

void UserSession::answer_box(const ExpectedBox& expected) {
    HWND box = wait_dialog(program_.id(), expected.caption);
    expect_text(text_of(box, 0xFFFF), expected.text, "message box text");
    expect(visible_buttons(box) == 1, "the message box \"" + to_utf8(expected.text) + "\" shows " +
                                          std::to_string(visible_buttons(box)) +
                                          " buttons, not only OK");
    HWND icon = icon_control(box);
    expect(icon != nullptr, "the message box \"" + to_utf8(expected.text) + "\" shows no icon");
    // The box may not be painted yet when it is found, so its icon is looked at a few times.
    const wchar_t* seen = nullptr;
    for (int attempt = 0; attempt < 40 && seen != expected.icon; ++attempt) {
        std::this_thread::sleep_for(50ms);
        seen = shown_icon(icon);
    }
    expect(seen == expected.icon, "the message box \"" + to_utf8(expected.text) + "\" shows the " +
                                      icon_name(seen) + " icon, expected the " +
                                      icon_name(expected.icon) + " icon");
    e2e::click(box, IDOK);
    wait_gone(box, "the message box");
}

void UserSession::expect_dialog_only(const std::string& after) {
    // Long enough for a wrongly closing dialog or a stray box to show itself.
    std::this_thread::sleep_for(500ms);
    expect(program_.running(), "the program ended " + after);
    expect(::IsWindow(dialog_) && ::IsWindowVisible(dialog_), "the dialog closed " + after);
    const auto open = process_dialogs(program_.id());
    expect(open.size() == 1, "after " + after + ": " + describe_dialogs(program_.id()));
    text_of(dialog_);  // answers at all
}

void UserSession::expect_exit_code_0(const std::string& after) {
    const DWORD code = program_.wait_exit(10s);
    expect(code == 0, "exit code " + std::to_string(code) + " " + after);
}

void UserSession::expect_end_without(const std::wstring& caption, const std::string& after) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (program_.running()) {
        expect(find_dialog(program_.id(), caption) == nullptr,
               "a box \"" + to_utf8(caption) + "\" appeared " + after);
        expect(std::chrono::steady_clock::now() < deadline,
               "the program did not end " + after + "; " + describe_dialogs(program_.id()));
        std::this_thread::sleep_for(20ms);
    }
    expect_exit_code_0(after);
}

}  // namespace gpais::e2e
