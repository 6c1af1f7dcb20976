// The programs meeting Windows as it is: a planted DLL beside them, and a console whose code
// pages belong to the person. Built with main.cpp into a driver of its own; here the fourth
// argument is the planted DLL.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "check.hpp"
#include "program.hpp"
#include "remote_drop.hpp"
#include "scenarios.hpp"
#include "user_session.hpp"
#include "windows_probe.hpp"

namespace gpais::e2e {

namespace {

using namespace std::chrono;

const std::wstring mark_name = L"planted-dll-ran";

// The program and the planted comctl32.dll side by side in the start folder, as a download
// folder has them; the program's copy is returned.
std::filesystem::path beside_planted_dll(const Context& ctx, const Workspace& place) {
    const std::filesystem::path copy = place.start() / ctx.exe.filename();
    std::filesystem::copy_file(ctx.exe, copy);
    std::filesystem::copy_file(ctx.artifact, place.start() / L"comctl32.dll");
    return copy;
}

void expect_not_run(const Workspace& place) {
    expect(!std::filesystem::exists(place.start() / mark_name),
           "the comctl32.dll beside the program was loaded and ran");
}

void planted_dll_dialog(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const std::filesystem::path exe = beside_planted_dll(ctx, place);
    std::optional<UserSession> started;
    try {
        started.emplace(place, exe, L"");
        // shell32, loaded at the first drop, must not bring the planted DLL in either.
        const DropData data =
            drop_files(started->process().process(), started->dialog(), {place.product_list()});
        wait_until([&] { return started->text(IDC_EDIT_LIST) == place.product_list().wstring(); },
                   5s, "the dropped list in \"Senas xml:\"");
    } catch (const Failure&) {
        expect_not_run(place);
        throw;
    }
    UserSession& session = *started;
    session.set_period(2025y / March / 1d, 2025y / March / 31d);
    session.click(IDC_RUN);
    HWND chooser = session.wait_chooser(list_chooser_title);
    const auto output = place.start() / L"Rezultatas.xml";
    session.accept_chooser(chooser, output.wstring());
    session.answer_box(box_of(messages::file_written(3)));
    session.expect_exit_code_0("after a run beside a planted comctl32.dll");
    expect_same_bytes(output, place.golden("by-period.xml"));
    expect_not_run(place);
}

void planted_dll_console(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const std::filesystem::path exe = beside_planted_dll(ctx, place);
    const auto output = place.start() / L"Rezultatas.xml";
    Program command(exe,
                    L"--from 2025-03-01 --to 2025-03-31 -o " + quoted(output) + L" " +
                        quoted(place.product_list()),
                    place.start());
    const DWORD code = command.wait_exit(30s);
    expect_not_run(place);
    expect(code == 0, "exit code " + std::to_string(code) + " beside a planted comctl32.dll");
    expect_same_bytes(output, place.golden("by-period.xml"));
}

// Everything the console shows, row after row.
std::wstring console_screen(HANDLE console) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    expect(::GetConsoleScreenBufferInfo(console, &info) != FALSE, "cannot read the console");
    std::wstring screen;
    std::wstring row(static_cast<std::size_t>(info.dwSize.X), L' ');
    for (SHORT y = 0; y < info.dwSize.Y; ++y) {
        DWORD read = 0;
        ::ReadConsoleOutputCharacterW(console, row.data(), static_cast<DWORD>(row.size()),
                                      COORD{0, y}, &read);
        screen.append(row.data(), read);
        screen += L'\n';
    }
    return screen;
}

void clear_console(HANDLE console) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    ::GetConsoleScreenBufferInfo(console, &info);
    DWORD written = 0;
    ::FillConsoleOutputCharacterW(console, L' ', static_cast<DWORD>(info.dwSize.X) * info.dwSize.Y,
                                  COORD{0, 0}, &written);
    ::SetConsoleCursorPosition(console, COORD{0, 0});
}

// The command shares the driver's console, as it shares the window of the person who typed it.
// Whatever the console's code pages, the message reads right, and they are as they were after.
void console_code_pages(const Context& ctx, const std::string& name) {
    HANDLE console = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    expect(::GetConsoleMode(console, &mode) != FALSE,
           "not run in a console (under Wine, run it in a terminal)");
    Workspace place(name, ctx.source_dir);
    const auto empty_log = place.start() / L"Tuščias.log";
    { std::ofstream(empty_log) << "\n"; }
    const UINT input_before = ::GetConsoleCP();
    const UINT output_before = ::GetConsoleOutputCP();
    const std::wstring shown = to_wide(messages::no_codes.text);
    for (const UINT code_page : {437u, 775u, 65001u}) {
        const std::string which = "code page " + std::to_string(code_page);
        expect(::SetConsoleCP(code_page) != FALSE && ::SetConsoleOutputCP(code_page) != FALSE,
               "cannot set the console to " + which);
        clear_console(console);
        Program command(ctx.exe,
                        L"--errors " + quoted(empty_log) + L" " + quoted(place.product_list()),
                        place.start());
        const DWORD code = command.wait_exit(30s);
        const UINT input_after = ::GetConsoleCP();
        const UINT output_after = ::GetConsoleOutputCP();
        const std::wstring screen = console_screen(console);
        expect(code == 1, "exit code " + std::to_string(code) + " on " + which + ", expected 1");
        expect(input_after == code_page && output_after == code_page,
               "the console was left on input " + std::to_string(input_after) + ", output " +
                   std::to_string(output_after) + " after a run on " + which);
        expect(screen.find(shown) != std::wstring::npos,
               "the console on " + which + " does not show \"" + to_utf8(shown) + "\"");
    }
    ::SetConsoleCP(input_before);
    ::SetConsoleOutputCP(output_before);
}

}  // namespace

const std::vector<Scenario>& scenarios() {
    static const std::vector<Scenario> all = {
        {"planted_dll_dialog", planted_dll_dialog},
        {"planted_dll_console", planted_dll_console},
        {"console_code_pages", console_code_pages},
    };
    return all;
}

}  // namespace gpais::e2e
