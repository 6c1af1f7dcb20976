// One start of the program, driven through its dialog, choosers and message boxes.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "check.hpp"
#include "filter/messages.hpp"
#include "program.hpp"
// The dialog's controls go by the ids its template gives them.
#include "ui/resources/resource.h"
#include "workspace.hpp"

namespace gpais::e2e {

inline const std::wstring main_caption = L"GPAIS sąrašų filtravimas:";
inline const std::wstring list_chooser_title = to_wide(messages::list_chooser.title);
inline const std::wstring log_chooser_title = to_wide(messages::log_chooser.title);

struct ExpectedBox {
    std::wstring text;
    std::wstring caption;
    const wchar_t* icon;
};

// The box the program shows for a message of the table.
ExpectedBox box_of(const Message& message);
ExpectedBox box_of(const ComposedMessage& message);

using Ymd = std::chrono::year_month_day;

Ymd today();
// The period a fresh dialog proposes: the last complete month, or this month on its last day.
std::pair<Ymd, Ymd> default_period(Ymd day);
// "_YYMMDD HHMM.xml" for the given local time.
std::wstring name_stamp(const SYSTEMTIME& time);

class UserSession {
  public:
    UserSession(const Workspace& place, const std::filesystem::path& exe,
                const std::wstring& command_tail);

    HWND dialog() const { return dialog_; }
    HWND control(int id) const;
    Program& process() { return program_; }

    Ymd date(int calendar) const;
    void set_date(int calendar, Ymd value);
    void set_period(Ymd first, Ymd last);
    std::wstring text(int id) const;
    void set_text(int id, const std::wstring& value);
    void click(int id);
    void choose_mode(int button);

    HWND wait_chooser(const std::wstring& title);
    // Types a name into a chooser's file name field and presses its OK (Open or Save) button.
    void accept_chooser(HWND chooser, const std::wstring& name);
    void cancel_chooser(HWND chooser);
    std::wstring chooser_file_name(HWND chooser) const;

    void answer_box(const ExpectedBox& box);
    // The dialog is still there and answers, and nothing else has opened.
    void expect_dialog_only(const std::string& after);
    void expect_exit_code_0(const std::string& after);
    void expect_end_without(const std::wstring& caption, const std::string& after);

  private:
    Program program_;
    HWND dialog_ = nullptr;
};

}  // namespace gpais::e2e
