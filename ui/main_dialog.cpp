#include "ui/main_dialog.hpp"

#include <commctrl.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/blank.hpp"
#include "base/scope_exit.hpp"
#include "base/text_convert.hpp"
#include "errors/raise.hpp"
#include "filter/filter_run.hpp"
#include "filter/messages.hpp"
#include "io/file_port.hpp"
#include "rt/call_levels.hpp"
#include "ui/calendar_fonts.hpp"
#include "ui/choosers.hpp"
#include "ui/command_line.hpp"
#include "ui/control_message.hpp"
#include "ui/control_sets.hpp"
#include "ui/default_period.hpp"
#include "ui/dropped_files.hpp"
#include "ui/dropped_paths.hpp"
#include "ui/logo.hpp"
#include "ui/month_date.hpp"
#include "ui/path_field.hpp"
#include "ui/resources/resource.h"
#include "ui/win32_port.hpp"

namespace gpais::ui {

namespace {

constexpr LPARAM monday = 0;

// Message boxes of a run have no owner, so the dialog stays enabled while they are open and
// a second press of the run button would start a second run inside the first.
bool run_in_progress = false;

std::string first_argument() {
    const std::vector<std::string> arguments = split_command_line(to_utf8(::GetCommandLineW()));
    return arguments.size() > 1 ? arguments[1] : std::string{};
}

// Today as the run's proposed name will read it: both take the clock through the machine port.
std::chrono::year_month_day local_today(MachinePort& machine) {
    const LocalTime now = machine.local_time();
    return std::chrono::year{now.year} / std::chrono::month{now.month} / std::chrono::day{now.day};
}

std::string control_text(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    const auto length = static_cast<int>(::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetDlgItemTextW(dialog, id, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    return to_utf8(text);
}

// A path field's text as the path it names: read whole, however long (a path cut where the box
// ends would name another file), less the quotes that "Copy as path" puts around it.
std::string path_text(HWND dialog, int id) {
    return path_in_field(control_text(dialog, id));
}

void set_control_text(HWND dialog, int id, std::string_view text) {
    ::SetDlgItemTextW(dialog, id, to_wide(text).c_str());
}

bool error_log_mode(HWND dialog) {
    return CONTROLMESSAGE(::GetDlgItem(dialog, IDC_MODE_ERRORS), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void on_init(HWND dialog) {
    create_logo(dialog);

    CONTROLMESSAGE(::GetDlgItem(dialog, IDC_CAL_FROM), MCM_SETFIRSTDAYOFWEEK, 0, monday);
    CONTROLMESSAGE(::GetDlgItem(dialog, IDC_CAL_TO), MCM_SETFIRSTDAYOFWEEK, 0, monday);

    FilePort machine;
    const Period period = default_period(local_today(machine));
    MONTHDATE(dialog, IDC_CAL_FROM, period.first);
    MONTHDATE(dialog, IDC_CAL_TO, period.last);
    fit_calendar_fonts(dialog, {IDC_CAL_FROM, IDC_CAL_TO});

    set_control_text(dialog, IDC_EDIT_LIST, first_argument());
    // Wine's edit controls otherwise stop at 30,000 characters, Windows' at 32,767.
    for (const int id : {IDC_EDIT_LIST, IDC_EDIT_LOG})
        CONTROLMESSAGE(::GetDlgItem(dialog, id), EM_SETLIMITTEXT, path_field_limit, 0);

    CONTROLMESSAGE(::GetDlgItem(dialog, IDC_MODE_PERIOD), BM_SETCHECK, BST_CHECKED, 0);
    for (const int id : {IDC_LABEL_LOG, IDC_BROWSE_LOG, IDC_EDIT_LOG})
        ::ShowWindow(::GetDlgItem(dialog, id), SW_HIDE);

    ::SetFocus(::GetDlgItem(dialog, IDC_RUN));
}

void choose_into(HWND dialog, int edit_id, const ChooserText& text, std::string_view extension) {
    const ChooserSettings settings = chooser_settings(text, extension);
    const std::string chosen =
        CHOOSEOPENFILE(text.title, CURRENTFOLDER(), settings.default_extension, settings.file_types,
                       settings.filter_index);
    if (!is_blank(chosen))
        set_control_text(dialog, edit_id, chosen);
}

void switch_control_set(HWND dialog, int clicked_id) {
    for (const ControlVisibility& control : visibility_after_click(clicked_id))
        ::ShowWindow(::GetDlgItem(dialog, control.id), control.visible ? SW_SHOWNORMAL : SW_HIDE);
}

void show(const Message& message) {
    SHOWMESSAGE(message.text, message.caption, message.icon);
}

void run(HWND dialog) {
    Win32Port person;
    FilePort machine;
    const std::string product_list = path_text(dialog, IDC_EDIT_LIST);
    if (error_log_mode(dialog)) {
        // This mode refuses nothing: the run itself reports a bad list or an empty log.
        ATRINKPOZICIJAS(product_list, path_text(dialog, IDC_EDIT_LOG), machine, person);
        ::EndDialog(dialog, dialog_result);
        return;
    }
    const Date first = MONTHDATE(dialog, IDC_CAL_FROM);
    const Date last = MONTHDATE(dialog, IDC_CAL_TO);
    if (first > last) {
        show(messages::bad_period);
        return;
    }
    if (is_blank(product_list)) {
        show(messages::no_product_list);
        return;
    }
    ATRINKPOZICIJAS(product_list, first, last, machine, person);
    ::EndDialog(dialog, dialog_result);
}

void on_command(HWND dialog, int control_id) {
    switch (control_id) {
        case IDC_RUN:
            if (run_in_progress)
                return;
            {
                // Let down however the run ends: a crash report's exception passes through on
                // its way to the handler.
                run_in_progress = true;
                const ScopeExit lower_flag{[] { run_in_progress = false; }};
                run(dialog);
            }
            return;
        case IDC_BROWSE_LIST:
            choose_into(dialog, IDC_EDIT_LIST, messages::list_chooser, ".xml");
            return;
        case IDC_BROWSE_LOG:
            choose_into(dialog, IDC_EDIT_LOG, messages::log_chooser, ".log");
            return;
        case IDC_MODE_PERIOD:
        case IDC_MODE_ERRORS:
            switch_control_set(dialog, control_id);
            return;
        default:
            return;
    }
}

// Files dropped from Explorer fill the fields as a typed path would; an error log brings
// "GPAIS klaidas" along, checked and shown as a click on it would.
void on_drop(HWND dialog, HDROP drop) {
    const DropResult result = dropped_into_fields(take_dropped_items(drop));
    if (result.folder_refused) {
        show(messages::dropped_folder);
        return;
    }
    if (result.product_list)
        set_control_text(dialog, IDC_EDIT_LIST, *result.product_list);
    if (result.error_log) {
        set_control_text(dialog, IDC_EDIT_LOG, *result.error_log);
        ::CheckRadioButton(dialog, IDC_MODE_PERIOD, IDC_MODE_ERRORS, IDC_MODE_ERRORS);
        on_command(dialog, IDC_MODE_ERRORS);
    }
}

}  // namespace

void DIALOGFUNC(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                std::optional<unsigned> notification_code, std::optional<unsigned> control_id) {
    GPAIS_LEVEL("DIALOGFUNC",
                GPAIS_ARGS(dialog, message, wparam, lparam, notification_code, control_id));
    switch (message) {
        case WM_INITDIALOG:
            on_init(dialog);
            return;
        case WM_CLOSE:
            ::EndDialog(dialog, dialog_result);
            return;
        case WM_COMMAND:
            // Commands without a control (IDOK, IDCANCEL from Enter and Esc) do nothing, so
            // Esc does not close the dialog; any notification of a control acts as a click.
            if (lparam == 0)
                return;
            on_command(dialog, static_cast<int>(control_id.value_or(LOWORD(wparam))));
            return;
        case WM_DROPFILES:
            on_drop(dialog, reinterpret_cast<HDROP>(wparam));
            return;
        default:
            return;
    }
}

INT_PTR CALLBACK forwarding_dialog_proc(HWND dialog, UINT message, WPARAM wparam,
                                        LPARAM lparam) noexcept {
    if (message == WM_INITDIALOG)
        ::SetWindowLongPtrW(dialog, GWLP_USERDATA, lparam);
    const auto function =
        reinterpret_cast<DialogFunction>(::GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (function == nullptr)
        return FALSE;
    // Nothing may unwind through Windows: an exception ends here, in the error handler, which
    // reports it with the levels as they stood where it was thrown and ends the process.
    at_boundary([&] {
        if (message == WM_COMMAND)
            function(dialog, message, wparam, lparam, HIWORD(wparam), LOWORD(wparam));
        else
            function(dialog, message, wparam, lparam, std::nullopt, std::nullopt);
    });
    return FALSE;
}

}  // namespace gpais::ui
