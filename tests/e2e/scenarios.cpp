#include "scenarios.hpp"

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <thread>

#include "base/unique_handle.hpp"
#include "check.hpp"
#include "dpi_layout.hpp"
#include "program.hpp"
#include "remote_calendar.hpp"
#include "remote_drop.hpp"
#include "screen.hpp"
#include "tests/support/temp_folder.hpp"
#include "user_session.hpp"
#include "windows_probe.hpp"

namespace gpais::e2e {

namespace {

using namespace std::chrono;

// The month in which the sample product list has dates on and just beyond both ends.
const Ymd march_first = 2025y / March / 1d;
const Ymd march_last = 2025y / March / 31d;

const ExpectedBox bad_period = box_of(messages::bad_period);
const ExpectedBox no_list = box_of(messages::no_product_list);
const ExpectedBox bad_list = box_of(messages::bad_product_list);
const std::wstring information_caption = to_wide(caption_information);
const std::wstring error_caption = to_wide(caption_error);

ExpectedBox saved(int kept) {
    return box_of(messages::file_written(static_cast<std::size_t>(kept)));
}

void expect_visible(const UserSession& session, std::initializer_list<int> ids, bool visible,
                    const std::string& when) {
    for (int id : ids) {
        expect(::IsWindowVisible(session.control(id)) == (visible ? TRUE : FALSE),
               "control " + std::to_string(id) + (visible ? " hidden " : " shown ") + when);
    }
}

void expect_period_mode(const UserSession& session, const std::string& when) {
    expect_visible(session, {IDC_LABEL_FROM, IDC_CAL_FROM, IDC_LABEL_TO, IDC_CAL_TO}, true, when);
    expect_visible(session, {IDC_LABEL_LOG, IDC_BROWSE_LOG, IDC_EDIT_LOG}, false, when);
    expect(checked(session.control(IDC_MODE_PERIOD)) && !checked(session.control(IDC_MODE_ERRORS)),
           "\"Pradėta tiekti\" is not the only checked mode " + when);
}

void expect_error_log_mode(const UserSession& session, const std::string& when) {
    expect_visible(session, {IDC_LABEL_FROM, IDC_CAL_FROM, IDC_LABEL_TO, IDC_CAL_TO}, false, when);
    expect_visible(session, {IDC_LABEL_LOG, IDC_BROWSE_LOG, IDC_EDIT_LOG}, true, when);
    expect(checked(session.control(IDC_MODE_ERRORS)) && !checked(session.control(IDC_MODE_PERIOD)),
           "\"GPAIS klaidas\" is not the only checked mode " + when);
}

void expect_dates(const UserSession& session, Ymd first, Ymd last, const std::string& when) {
    const Ymd shown_first = session.date(IDC_CAL_FROM);
    const Ymd shown_last = session.date(IDC_CAL_TO);
    expect(shown_first == first && shown_last == last,
           "calendars show " + to_text(shown_first) + " .. " + to_text(shown_last) + " " + when +
               ", expected " + to_text(first) + " .. " + to_text(last));
}

HWND focused_control(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    expect(::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) != FALSE,
           "cannot ask the dialog's thread for its focus");
    return info.hwndFocus;
}

// ---- Opening the dialog ----------------------------------------------------------------------

struct OpeningCase {
    std::string name;
    std::wstring command_tail;  // {start} stands for the start folder
    std::wstring expected_path;
};

std::wstring with_start(std::wstring text, const std::filesystem::path& start) {
    const std::wstring marker = L"{start}";
    if (const auto at = text.find(marker); at != std::wstring::npos) {
        text.replace(at, marker.size(), start.wstring());
    }
    return text;
}

const std::vector<OpeningCase> opening_cases = {
    {"opening_quoted_path", L"\"{start}\\Prekių sąrašas su tarpais.xml\"",
     L"{start}\\Prekių sąrašas su tarpais.xml"},
    {"opening_without_argument", L"", L""},
    {"opening_unquoted_path", L"C:\\Mano failai\\sąrašas.xml", L"C:\\Mano"},
    {"opening_quotes_inside", L"a\"b c\"d antras", L"ab cd"},
};

struct LabelCase {
    int id;
    std::wstring text;
};

const std::vector<LabelCase> labels = {
    {IDC_LABEL_FROM, L"Pradėta tiekti nuo"},  {IDC_LABEL_TO, L"Pradėta tiekti iki"},
    {IDC_LABEL_LOG, L"GPAIS klaidų failas:"}, {IDC_BROWSE_LOG, L"..."},
    {IDC_LABEL_MODE, L"Filtruoti pagal:"},    {IDC_MODE_PERIOD, L"Pradėta tiekti"},
    {IDC_MODE_ERRORS, L"GPAIS klaidas"},      {IDC_BROWSE_LIST, L"..."},
    {IDC_RUN, L"Formuoti naują xml"},
};

void opening(const Context& ctx, const std::string& name) {
    const OpeningCase* found = &case_named(opening_cases, name);
    Workspace place(name, ctx.source_dir);
    const auto before = files_in(place.start());
    UserSession session(place, ctx.exe, with_start(found->command_tail, place.start()));

    expect_period_mode(session, "on opening");
    expect_visible(
        session,
        {IDC_LABEL_MODE, IDC_MODE_PERIOD, IDC_MODE_ERRORS, IDC_BROWSE_LIST, IDC_EDIT_LIST, IDC_RUN},
        true, "on opening");
    for (const auto& label : labels) {
        expect_text(session.text(label.id), label.text, "text of " + std::to_string(label.id));
    }
    const auto [first, last] = default_period(today());
    expect_dates(session, first, last, "on opening");
    for (int calendar : {IDC_CAL_FROM, IDC_CAL_TO}) {
        expect(LOWORD(send(session.control(calendar), MCM_GETFIRSTDAYOFWEEK)) == 0,
               "calendar " + std::to_string(calendar) + " does not start its weeks on Monday");
    }
    expect(focused_control(session.dialog()) == session.control(IDC_RUN),
           "the focus is not on \"Formuoti naują xml\"");
    expect_text(session.text(IDC_EDIT_LIST), with_start(found->expected_path, place.start()),
                "\"Senas xml:\" on opening");

    // The close box ends the program without a run.
    ::PostMessageW(session.dialog(), WM_CLOSE, 0, 0);
    session.expect_end_without(information_caption, "after WM_CLOSE");
    expect(files_in(place.start()) == before, "closing the dialog left files behind");
}

// ---- Modes, keys and the close box ------------------------------------------------------------

void mode_switch(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    UserSession session(place, ctx.exe, quoted(place.product_list()));
    const Ymd first = 2024y / February / 1d;
    const Ymd last = 2024y / February / 29d;
    session.set_period(first, last);

    session.choose_mode(IDC_MODE_ERRORS);
    expect_error_log_mode(session, "after a click on \"GPAIS klaidas\"");
    session.set_text(IDC_EDIT_LOG, L"klaidos ąčę.log");

    session.choose_mode(IDC_MODE_PERIOD);
    expect_period_mode(session, "after a click back on \"Pradėta tiekti\"");
    expect_dates(session, first, last, "after switching modes twice");
    expect_text(session.text(IDC_EDIT_LIST), place.product_list().wstring(), "\"Senas xml:\"");
    expect_text(session.text(IDC_EDIT_LOG), L"klaidos ąčę.log", "the hidden error log field");

    session.choose_mode(IDC_MODE_ERRORS);
    expect_error_log_mode(session, "after a second click on \"GPAIS klaidas\"");
    expect_text(session.text(IDC_EDIT_LOG), L"klaidos ąčę.log", "the error log field");
    ::PostMessageW(session.dialog(), WM_CLOSE, 0, 0);
    session.expect_end_without(error_caption, "after WM_CLOSE in error-log mode");
}

void escape_does_nothing(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    UserSession session(place, ctx.exe, quoted(place.product_list()));
    HWND focus = focused_control(session.dialog());
    ::PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    session.expect_dialog_only("after Esc");
    ::PostMessageW(session.dialog(), WM_COMMAND, IDCANCEL, 0);
    session.expect_dialog_only("after IDCANCEL without a control");
    ::PostMessageW(session.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    session.expect_end_without(information_caption, "after SC_CLOSE");
}

// ---- Refused runs -------------------------------------------------------------------------------

void warnings(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const auto before = files_in(place.start());
    UserSession session(place, ctx.exe, quoted(place.product_list()));
    const Ymd later = 2025y / March / 10d;
    const Ymd earlier = 2025y / March / 9d;

    session.set_period(later, earlier);
    session.click(IDC_RUN);
    session.answer_box(bad_period);
    session.expect_dialog_only("\"Blogai nurodytos periodo datos\"");
    expect_dates(session, later, earlier, "after the warning");

    // Both faults at once: the period is named, not the path.
    session.set_text(IDC_EDIT_LIST, L"");
    session.click(IDC_RUN);
    session.answer_box(bad_period);
    session.expect_dialog_only("\"Blogai nurodytos periodo datos\" with an empty path");

    // A one-day period is fine; a path of blanks is not.
    session.set_period(earlier, earlier);
    session.set_text(IDC_EDIT_LIST, L"   ");
    session.click(IDC_RUN);
    session.answer_box(no_list);
    session.expect_dialog_only("\"Nenurodytas pradinis failas\"");
    expect_text(session.text(IDC_EDIT_LIST), L"   ", "\"Senas xml:\" after the warning");

    ::PostMessageW(session.dialog(), WM_CLOSE, 0, 0);
    session.expect_end_without(information_caption, "after WM_CLOSE");
    expect(files_in(place.start()) == before, "refused runs left files behind");
}

// ---- Runs ---------------------------------------------------------------------------------------

// Presses the run button and checks the name that the save chooser proposes, which carries the
// time at which it was made: any minute from the click to the chooser's appearance will do.
HWND run_to_save_chooser(UserSession& session, const std::wstring& list_path_text) {
    SYSTEMTIME before{};
    ::GetLocalTime(&before);
    session.click(IDC_RUN);
    HWND chooser = session.wait_chooser(list_chooser_title);
    SYSTEMTIME after{};
    ::GetLocalTime(&after);
    const std::wstring proposed = session.chooser_file_name(chooser);
    const std::wstring stem = list_path_text.substr(0, list_path_text.size() - 4);
    const std::wstring stem_name = std::filesystem::path(stem).filename().wstring();
    bool fits = false;
    for (const auto& time : {before, after}) {
        fits =
            fits || proposed == stem + name_stamp(time) || proposed == stem_name + name_stamp(time);
    }
    expect(fits, "the save chooser proposes \"" + to_utf8(proposed) + "\", expected \"" +
                     to_utf8(stem + name_stamp(before)) + "\" or its file name alone");
    expect_text(text_of(chooser, 0x470), to_wide(messages::list_chooser.file_type),
                "the save chooser's file types");
    return chooser;
}

void period_run_cancelled(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const auto before = files_in(place.start());
    UserSession session(place, ctx.exe, quoted(place.product_list()));
    session.set_period(march_first, march_last);
    HWND chooser = run_to_save_chooser(session, place.product_list().wstring());
    session.cancel_chooser(chooser);
    // Nothing was saved, so nothing may be reported as saved.
    session.expect_end_without(information_caption, "after the save chooser was cancelled");
    expect(files_in(place.start()) == before, "a cancelled save left files behind");
}

// A save over a file that is there: the box names the file and, on the line below, why it was
// not replaced; the file that was there stays as it was and nothing else is left in the folder.
// Another program that holds the file only for a moment is waited for, and the save goes on.
enum class OverExisting { read_only, held_for_good, held_for_a_moment };

struct WriteFailureCase {
    std::string name;
    std::wstring cause;  // empty: the file is replaced
    OverExisting existing;
};

const std::vector<WriteFailureCase> write_failure_cases = {
    {"period_run_output_read_only", L"Failas pažymėtas tik skaitymui.", OverExisting::read_only},
    {"period_run_output_in_use", L"Failą naudoja kita programa.", OverExisting::held_for_good},
    {"period_run_output_held_for_a_moment", L"", OverExisting::held_for_a_moment},
};

void period_run_not_saved(const Context& ctx, const std::string& name) {
    const WriteFailureCase* found = &case_named(write_failure_cases, name);
    Workspace place(name, ctx.source_dir);
    const EarlierResult earlier(place, place.start() / L"Ankstesnis rezultatas ž.xml");
    const auto& output = earlier.file();
    if (found->existing == OverExisting::read_only) {
        expect(::SetFileAttributesW(output.c_str(), FILE_ATTRIBUTE_READONLY) != 0,
               "the old file could not be marked read-only");
    }

    UserSession session(place, ctx.exe, quoted(place.product_list()));
    session.set_period(march_first, march_last);
    HWND chooser = run_to_save_chooser(session, place.product_list().wstring());
    std::optional<FileHolder> holder;
    if (found->existing == OverExisting::held_for_good) {
        holder.emplace(output, 10s, FileHolder::Sharing::none);
    } else if (found->existing == OverExisting::held_for_a_moment) {
        holder.emplace(output, 1500ms, FileHolder::Sharing::read);
    }
    const auto saved_at = steady_clock::now();
    session.accept_chooser(chooser, output.wstring());
    if (found->cause.empty()) {
        session.answer_box(saved(3));
        session.expect_exit_code_0("after a save that waited");
        holder.reset();
        earlier.expect_replaced_by("by-period.xml", "the save");
    } else {
        wait_dialog(session.process().id(), error_caption);
        const auto waited = duration_cast<milliseconds>(steady_clock::now() - saved_at);
        expect(waited < 3s, "the failed save was told after " + std::to_string(waited.count()) +
                                " ms, not within 3 s");
        session.answer_box(
            box_of(messages::file_not_written(to_utf8(output.wstring()), to_utf8(found->cause))));
        session.expect_exit_code_0("after a save that failed");
        holder.reset();
        ::SetFileAttributesW(output.c_str(), FILE_ATTRIBUTE_NORMAL);
        earlier.expect_kept("the save");
    }
}

void error_log_run_empty_fields(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const auto before = files_in(place.start());
    UserSession session(place, ctx.exe, L"");
    session.choose_mode(IDC_MODE_ERRORS);
    session.click(IDC_RUN);
    session.answer_box(bad_list);
    session.expect_exit_code_0("after \"Blogas nurodyto failo turinys\"");
    expect(files_in(place.start()) == before, "a refused run left files behind");
}

// ---- Runs that save, their paths typed or pasted ------------------------------------------------

// What Ctrl+V does: the text goes on the clipboard and the field is told to paste it, at its
// caret, under its own rules of what fits.
void paste(HWND field, const std::wstring& text) {
    wait_until([] { return ::OpenClipboard(nullptr) != FALSE; }, 5s, "the clipboard");
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool handed_over = false;
    if (memory != nullptr) {
        std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
        ::GlobalUnlock(memory);
        // From here on the clipboard owns the memory.
        handed_over = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!handed_over)
            ::GlobalFree(memory);
    }
    ::CloseClipboard();
    expect(handed_over, "cannot put the path on the clipboard");
    send(field, WM_PASTE);
}

// A copy of `file` whose whole path is 200 characters long, far more than the field shows.
std::filesystem::path long_named_copy(const std::filesystem::path& file) {
    const std::wstring stem = (file.parent_path() / L"Ilgas vardas ").wstring();
    const std::wstring extension = file.extension().wstring();
    expect(stem.size() + extension.size() < 200, "the start folder's path is too long");
    const std::filesystem::path copy =
        stem + std::wstring(200 - stem.size() - extension.size(), L'x') + extension;
    std::filesystem::copy_file(file, copy);
    return copy;
}

// How a path reaches its field: on the command line or typed, or pasted whole, as Explorer's
// "Copy as path" gives it in quotes or as a path of 200 characters, far more than the field shows,
// or dragged from Explorer and dropped on the dialog.
enum class Given { typed, pasted_quoted, pasted_long, dropped };

// A run that saves, step by step: the mode and how the list and the log reach the dialog, the
// name typed into the save chooser, the box that follows and the bytes the result must hold.
struct SavingRunCase {
    std::string name;
    int mode;  // IDC_MODE_PERIOD or IDC_MODE_ERRORS
    Given list;
    Given log;                // in error-log mode
    bool deep_folder;         // the list lies in a folder of 300 characters
    std::wstring output;      // typed, below the start folder; empty: the proposed name
    std::wstring saved_as;    // where the result lands when the chooser adds to the name
    int kept;                 // the count in the box
    std::string second_line;  // the box's line below the count, if any
    std::string golden;
};

// The line under the count after a run on the test's error log.
const std::string missing_codes_line = "Sąraše nėra klaidų faile nurodytų kodų: 2 (LT-999, lt-006)";

const std::vector<SavingRunCase> saving_run_cases = {
    {"period_run_saved", IDC_MODE_PERIOD, Given::typed, Given::typed, false, L"Rezultatas ąčę.xml",
     L"", 3, "", "by-period.xml"},
    // A synced company library reaches so deep a folder: the run reads the list there, the save
    // chooser still proposes its name, and the result is saved.
    {"period_run_deep_folder", IDC_MODE_PERIOD, Given::typed, Given::typed, true, L"", L"", 3, "",
     "by-period.xml"},
    // The log also names LT-999, which the list does not hold, and lt-006, which differs from
    // the list's LT-006 in case. The chooser adds the default extension to a name typed without.
    {"error_log_run_saved", IDC_MODE_ERRORS, Given::typed, Given::typed, false,
     L"poaplankis\\Pagal klaidas", L"poaplankis\\Pagal klaidas.xml", 2, missing_codes_line,
     "by-errors.xml"},
    {"pasted_long_path_list", IDC_MODE_PERIOD, Given::pasted_long, Given::typed, false,
     L"Rezultatas.xml", L"", 3, "", "by-period.xml"},
    {"pasted_quoted_path_list", IDC_MODE_PERIOD, Given::pasted_quoted, Given::typed, false,
     L"Rezultatas.xml", L"", 3, "", "by-period.xml"},
    {"pasted_long_path_log", IDC_MODE_ERRORS, Given::typed, Given::pasted_long, false,
     L"Rezultatas.xml", L"", 2, missing_codes_line, "by-errors.xml"},
    {"pasted_quoted_path_log", IDC_MODE_ERRORS, Given::typed, Given::pasted_quoted, false,
     L"Rezultatas.xml", L"", 2, missing_codes_line, "by-errors.xml"},
    // A dropped list leaves the mode as it was; a dropped error log switches to "GPAIS klaidas"
    // as a click on it does. Both names hold Lithuanian letters and a blank.
    {"dropped_list", IDC_MODE_PERIOD, Given::dropped, Given::typed, false, L"Rezultatas.xml", L"",
     3, "", "by-period.xml"},
    {"dropped_error_log", IDC_MODE_ERRORS, Given::typed, Given::dropped, false, L"Rezultatas.xml",
     L"", 2, missing_codes_line, "by-errors.xml"},
    // Dropped together, the log first: each fills its own field.
    {"dropped_list_and_error_log", IDC_MODE_ERRORS, Given::dropped, Given::dropped, false,
     L"Rezultatas.xml", L"", 2, missing_codes_line, "by-errors.xml"},
    // A path of more than 300 characters arrives whole.
    {"dropped_list_deep_folder", IDC_MODE_PERIOD, Given::dropped, Given::typed, true, L"", L"", 3,
     "", "by-period.xml"},
};

// Drops `files` on the dialog and waits until each field shows its path whole.
void drop_into_fields(UserSession& session, const std::vector<std::filesystem::path>& files,
                      const std::vector<std::pair<int, std::filesystem::path>>& expected) {
    const DropData data = drop_files(session.process().process(), session.dialog(), files);
    for (const auto& [field, file] : expected) {
        wait_until([&] { return session.text(field) == file.wstring(); }, 5s,
                   "field " + std::to_string(field) + " to show the dropped " +
                       to_utf8(file.wstring()) + "; it shows " + to_utf8(session.text(field)));
    }
}

// Types or pastes `file` into `field`, as the case gives it; gives the file the field names.
std::filesystem::path enter_path(UserSession& session, int field, Given how,
                                 const std::filesystem::path& file) {
    if (how == Given::typed) {
        session.set_text(field, file.wstring());
        return file;
    }
    if (how == Given::dropped) {
        drop_into_fields(session, {file}, {{field, file}});
        return file;
    }
    const std::filesystem::path pasted_file =
        how == Given::pasted_long ? long_named_copy(file) : file;
    const std::wstring pasted =
        how == Given::pasted_quoted ? quoted(pasted_file) : pasted_file.wstring();
    paste(session.control(field), pasted);
    // Cut where the box ends, the path would name another file.
    expect_text(session.text(field), pasted, "the field after the paste");
    return pasted_file;
}

void saving_run(const Context& ctx, const std::string& name) {
    const SavingRunCase* found = &case_named(saving_run_cases, name);
    Workspace place(name, ctx.source_dir);
    std::filesystem::path list = found->deep_folder ? deep_list(place) : place.product_list();
    const bool list_typed = found->list == Given::typed;
    UserSession session(place, ctx.exe, list_typed ? quoted(list) : L"");
    const bool both_dropped = found->list == Given::dropped && found->log == Given::dropped;
    if (list_typed) {
        expect_text(session.text(IDC_EDIT_LIST), list.wstring(), "\"Senas xml:\"");
    } else if (both_dropped) {
        drop_into_fields(session, {place.error_log(), list},
                         {{IDC_EDIT_LIST, list}, {IDC_EDIT_LOG, place.error_log()}});
    } else {
        list = enter_path(session, IDC_EDIT_LIST, found->list, list);
    }
    if (found->mode == IDC_MODE_ERRORS) {
        // A dropped log chooses the mode itself.
        if (found->log != Given::dropped)
            session.choose_mode(IDC_MODE_ERRORS);
        if (!both_dropped)
            enter_path(session, IDC_EDIT_LOG, found->log, place.error_log());
        expect_error_log_mode(session, "with the error log in its field");
    } else {
        expect_period_mode(session, "with the list in its field");
        session.set_period(march_first, march_last);
    }
    // The save chooser proposes a name made from the list's path as the run used it.
    HWND chooser = run_to_save_chooser(session, list.wstring());
    const std::wstring typed = found->output.empty() ? session.chooser_file_name(chooser)
                                                     : (place.start() / found->output).wstring();
    session.accept_chooser(chooser, typed);
    const auto count = messages::file_written(static_cast<std::size_t>(found->kept));
    session.answer_box(found->second_line.empty()
                           ? box_of(count)
                           : box_of(messages::with_line(count.view(), found->second_line)));
    session.expect_exit_code_0("after the run " + name);

    std::filesystem::path result = place.start() / found->saved_as;
    if (found->output.empty()) {
        // The dialog cannot open in a folder of 300 characters: it opens in the folder's short
        // form, where the volume keeps short names, or in the start folder.
        const std::wstring bare = std::filesystem::path(typed).filename().wstring();
        const std::filesystem::path beside = testing::reachable(list.parent_path() / bare);
        const bool saved_beside = ::GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES;
        result = saved_beside ? beside : place.start() / bare;
    } else if (found->saved_as.empty()) {
        result = place.start() / found->output;
    }
    expect_same_bytes(result, place.golden(found->golden));
    expect_same_bytes(place.product_list(), place.data("produktai.xml"));
    expect_same_bytes(place.error_log(), place.data("klaidos.log"));
    expect(!std::filesystem::exists(place.start() / L"Klaidos.log"), "a crash report was written");
}

// ---- A folder dropped on the dialog
// --------------------------------------------------------------

// Alone or beside a file, a folder is refused with a warning, and every field and the mode stay
// as they were.
void dropped_folder_refused(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const auto before = files_in(place.start());
    UserSession session(place, ctx.exe, quoted(place.product_list()));
    session.set_text(IDC_EDIT_LOG, L"klaidos ąčę.log");
    const ExpectedBox refused = box_of(messages::dropped_folder);
    const std::filesystem::path folder = place.start() / L"Aplankas su tarpais ąčę";
    std::filesystem::create_directory(folder);
    const std::vector<std::pair<std::string, std::vector<std::filesystem::path>>> drops = {
        {"a folder", {folder}},
        {"a folder and an error log", {place.error_log(), folder}},
        {"a list and a folder", {place.product_list(), folder}},
    };
    for (const auto& [what, files] : drops) {
        const DropData data = drop_files(session.process().process(), session.dialog(), files);
        session.answer_box(refused);
        session.expect_dialog_only("the warning on " + what);
        expect_period_mode(session, "after " + what + " was dropped");
        expect_text(session.text(IDC_EDIT_LIST), place.product_list().wstring(),
                    "\"Senas xml:\" after " + what + " was dropped");
        expect_text(session.text(IDC_EDIT_LOG), L"klaidos ąčę.log",
                    "the error log field after " + what + " was dropped");
    }
    ::PostMessageW(session.dialog(), WM_CLOSE, 0, 0);
    session.expect_end_without(information_caption, "after WM_CLOSE");
    std::filesystem::remove(folder);
    expect(files_in(place.start()) == before, "the refused drops left files behind");
}

// ---- Choosers -----------------------------------------------------------------------------------

void choosers(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    UserSession session(place, ctx.exe, L"");
    const std::wstring earlier_text = L"ankstesnis.xml";
    session.set_text(IDC_EDIT_LIST, earlier_text);

    session.click(IDC_BROWSE_LIST);
    session.cancel_chooser(session.wait_chooser(list_chooser_title));
    expect_text(session.text(IDC_EDIT_LIST), earlier_text,
                "\"Senas xml:\" after a cancelled chooser");

    session.click(IDC_BROWSE_LIST);
    HWND chooser = session.wait_chooser(list_chooser_title);
    expect_text(text_of(chooser, 0x470), to_wide(messages::list_chooser.file_type),
                "the chooser's file types");
    expect_text(session.chooser_file_name(chooser), L"", "the chooser's file name on opening");
    // A file that does not exist yet is accepted: the run reports it later.
    session.accept_chooser(chooser, L"pasirinktas.xml");
    expect_text(session.text(IDC_EDIT_LIST), (place.start() / L"pasirinktas.xml").wstring(),
                "\"Senas xml:\" after choosing a new file in the start folder");

    session.choose_mode(IDC_MODE_ERRORS);
    session.click(IDC_BROWSE_LOG);
    session.cancel_chooser(session.wait_chooser(log_chooser_title));
    expect_text(session.text(IDC_EDIT_LOG), L"", "the error log field after a cancelled chooser");

    session.click(IDC_BROWSE_LOG);
    chooser = session.wait_chooser(log_chooser_title);
    expect_text(text_of(chooser, 0x470), to_wide(messages::log_chooser.file_type),
                "the error log chooser's file types");
    // Typed without its extension, the existing log is found through the default extension.
    { std::ofstream(place.start() / L"poaplankis" / L"klaidos.log") << "x"; }
    session.accept_chooser(chooser, L"poaplankis\\klaidos");
    expect_text(session.text(IDC_EDIT_LOG),
                (place.start() / L"poaplankis" / L"klaidos.log").wstring(),
                "the error log field after choosing a file in a subfolder");

    // A bare file name is found, and a proposed bare name saved, only where the program started:
    // the choosers must have left the current folder alone.
    session.choose_mode(IDC_MODE_PERIOD);
    const std::wstring relative = place.product_list().filename().wstring();
    session.set_text(IDC_EDIT_LIST, relative);
    session.set_period(march_first, march_last);
    chooser = run_to_save_chooser(session, relative);
    const std::wstring proposed = session.chooser_file_name(chooser);
    session.accept_chooser(chooser, proposed);
    session.answer_box(saved(3));
    session.expect_exit_code_0("after a run");
    expect_same_bytes(place.start() / proposed, place.golden("by-period.xml"));
}

// ---- Calendars that show their whole month ----------------------------------------------------

SIZE client_size(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

RECT rect_in_dialog(HWND dialog, HWND control) {
    RECT area{};
    ::GetWindowRect(control, &area);
    ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

// Drawn in the template's Arial 14 the calendars lose the weekend and the arrow to the next
// month at the right. Each calendar must show its whole month without growing: it keeps the
// left edge and width of its label, which the template gives the same ones, right below it.
void calendars_fit(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    UserSession session(place, ctx.exe, quoted(place.product_list()));
    const auto [first, last] = default_period(today());
    for (const auto& [calendar, label] :
         {std::pair{IDC_CAL_FROM, IDC_LABEL_FROM}, std::pair{IDC_CAL_TO, IDC_LABEL_TO}}) {
        const std::string which = "calendar " + std::to_string(calendar);
        const SIZE needed =
            calendar_minimum_size(session.process().process(), session.control(calendar));
        const SIZE client = client_size(session.control(calendar));
        expect(needed.cx <= client.cx && needed.cy <= client.cy,
               which + " needs " + std::to_string(needed.cx) + " x " + std::to_string(needed.cy) +
                   " for its month but has " + std::to_string(client.cx) + " x " +
                   std::to_string(client.cy));
        const RECT box = rect_in_dialog(session.dialog(), session.control(calendar));
        const RECT above = rect_in_dialog(session.dialog(), session.control(label));
        // Position and size become pixels each on its own, so the label's bottom may round to
        // one pixel off the calendar's top.
        expect(box.left == above.left && box.right == above.right &&
                   std::abs(box.top - above.bottom) <= 1,
               which + " has moved or changed its width");
    }
    expect_dates(session, first, last, "with the calendars' fonts fitted");
    for (int calendar : {IDC_CAL_FROM, IDC_CAL_TO}) {
        expect(LOWORD(send(session.control(calendar), MCM_GETFIRSTDAYOFWEEK)) == 0,
               "calendar " + std::to_string(calendar) + " no longer starts its weeks on Monday");
    }
    ::PostMessageW(session.dialog(), WM_CLOSE, 0, 0);
    session.expect_end_without(information_caption, "after WM_CLOSE");
}

// ---- The picture for the documentation ----------------------------------------------------------

void screenshot(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    UserSession session(place, ctx.exe, L"\"C:\\GPAIS\\Prekių sąrašas.xml\"");
    std::this_thread::sleep_for(700ms);  // lets the calendars finish painting
    RECT area{};
    ::GetWindowRect(session.dialog(), &area);
    const Image picture = capture(area);
    expect(picture.width > 100 && picture.height > 100, "the dialog is too small to picture");
    std::set<std::uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
    expect(colours.size() > 8, "the dialog's picture is blank");
    save_bmp(picture, ctx.artifact);
    ::PostMessageW(session.dialog(), WM_CLOSE, 0, 0);
    session.expect_end_without(information_caption, "after WM_CLOSE");
}

}  // namespace

const std::vector<Scenario>& scenarios() {
    static const std::vector<Scenario> all = [] {
        std::vector<Scenario> list;
        add_cases(list, opening_cases, opening);
        list.push_back({"mode_switch", mode_switch});
        list.push_back({"escape_does_nothing", escape_does_nothing});
        list.push_back({"warnings", warnings});
        list.push_back({"period_run_cancelled", period_run_cancelled});
        add_cases(list, write_failure_cases, period_run_not_saved);
        add_cases(list, saving_run_cases, saving_run);
        list.push_back({"error_log_run_empty_fields", error_log_run_empty_fields});
        list.push_back({"dropped_folder_refused", dropped_folder_refused});
        list.push_back({"choosers", choosers});
        list.push_back({"calendars_fit", calendars_fit});
        list.push_back({"screenshot", screenshot});
        add_dpi_layout_scenarios(list);
        return list;
    }();
    return all;
}

}  // namespace gpais::e2e
