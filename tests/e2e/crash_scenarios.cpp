// The program meeting a failure that nobody checks for while its dialog is open: a product
// list too large to hold in memory, or an access violation forced into the dialog's thread
// while the save chooser is open. Built with main.cpp into a driver of its own, so that these
// starts and the dialog scenarios can be run and repeated apart.

// GCC 12 warns, wrongly, that a string literal joined to a std::string overlaps it (its bug
// 105329); these checks build their texts that way throughout.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

#include <windows.h>

#include <winioctl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <vector>

#include "base/unique_handle.hpp"
#include "check.hpp"
#include "program.hpp"
#include "remote_calendar.hpp"
#include "scenarios.hpp"
#include "tests/support/report_stack.hpp"
#include "user_session.hpp"
#include "windows_probe.hpp"

namespace gpais::e2e {

namespace {

using namespace std::chrono;
using gpais::testing::stack_lines;
using gpais::testing::stack_names;
using gpais::testing::starts_with_timestamp;

const ExpectedBox crash_box{
    L"Įvyko klaida.\nPraneškite programuotojams.\nEl.paštu: "
    L"support@gpais-filtras.lt",
    L"Klaida", IDI_ERROR};
const std::string separator(128, '=');

// A sparse file of `size` bytes, so that gigabytes cost no disk: only `first_bytes` are written,
// the rest is a size.
void make_sparse_file(const std::filesystem::path& path, LONGLONG size,
                      std::string_view first_bytes = {}) {
    const UniqueFile file{::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    expect(static_cast<bool>(file), "cannot create " + to_utf8(path.wstring()));
    DWORD returned = 0;
    ::DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    DWORD done = 0;
    LARGE_INTEGER end{};
    end.QuadPart = size;
    const bool made =
        ::WriteFile(file.get(), first_bytes.data(), static_cast<DWORD>(first_bytes.size()), &done,
                    nullptr) != FALSE &&
        ::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) != FALSE &&
        ::SetEndOfFile(file.get()) != FALSE;
    expect(made, "cannot give " + to_utf8(path.wstring()) + " its size");
}

// The list every crash scenario starts the program on: more than the machine can commit, and at
// least 64 GiB, so that a program of either width fails to hold it, a 32-bit one for its address
// space, a 64-bit one for the machine's memory.
void make_huge_list(const std::filesystem::path& folder) {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    expect(::GlobalMemoryStatusEx(&memory) != FALSE, "cannot read the machine's memory");
    const ULONGLONG size = std::max<ULONGLONG>(64ull << 30, 2 * memory.ullTotalPageFile);
    make_sparse_file(folder / L"Didelis sąrašas.xml", static_cast<LONGLONG>(size));
}

std::string read_if_any(const std::filesystem::path& file) {
    return std::filesystem::exists(file) ? read_bytes(file) : std::string{};
}

std::string compact_date(Ymd day) {
    char text[16];
    std::snprintf(text, sizeof text, "0d%04d%02u%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

// One crash report as the program appends it, judged on its own.
void expect_memory_report(std::string_view report, const std::filesystem::path& list, Ymd first,
                          Ymd last) {
    const std::string shown = "\n" + std::string(report);
    expect(starts_with_timestamp(report), "the report does not start with its time:" + shown);
    expect(report.ends_with("\r\n\r\n" + separator), "the report does not end in 128 \"=\"");
    expect(report.find(separator) == report.size() - separator.size(),
           "more than one report was appended:" + shown);
    expect(report.find("\r\n\r\nKlaida: C++/EG_MEM(11) 0\r\n") != std::string_view::npos,
           "no memory error line:" + shown);

    const std::vector<std::string> stack = stack_lines(report);
    const std::vector<std::string> names = stack_names(report);
    const std::vector<std::string> expected_names = {"MEMORY", "read_file_bytes", "ATRINKPOZICIJAS",
                                                     "DIALOGFUNC", "MAIN"};
    expect(names == expected_names, "the stack is not the run's:" + shown);
    expect(stack[0] == "    MEMORY(0)                   ()", "the library level: " + stack[0]);
    const std::string run_values = "(\"" + to_utf8(list.wstring()) + "\", " + compact_date(first) +
                                   ", " + compact_date(last) + "), \"\", 0";
    expect(stack[2].ends_with(run_values) && stack[2].size() == 32 + run_values.size(),
           "the run's level: " + stack[2] + "\nexpected its values " + run_values);
    // The run button's click: WM_COMMAND (273) from control 111, with its notification code
    // (0, a click) and control id passed as the last two arguments.
    expect(stack[3].find("(<pointer>, 273, 111, ") != std::string::npos &&
               stack[3].ends_with(", 0, 111)"),
           "the dialog level is not the run button's command: " + stack[3]);
    expect(stack[4].starts_with("    MAIN(") && stack[4].ends_with(" ()"),
           "the entry level: " + stack[4]);
}

struct CrashOutcome {
    std::string log_when_told;  // Klaidos.log while the message is shown
    std::filesystem::path list;
    Ymd first, last;
};

// Starts the program on the huge list, presses the run button and answers the crash message;
// the dialog must then be gone and the process must end with exit code 1. A log too large to
// read whole is not copied while the message is shown.
CrashOutcome crash_once(const Workspace& place, const Context& ctx, bool copy_log = true) {
    CrashOutcome outcome;
    outcome.list = place.start() / L"Didelis sąrašas.xml";
    UserSession session(place, ctx.exe, quoted(outcome.list));
    std::tie(outcome.first, outcome.last) = default_period(today());
    session.click(IDC_RUN);

    HWND box = wait_dialog(session.process().id(), crash_box.caption, 30s);
    // The report is written before the person is told.
    if (copy_log)
        outcome.log_when_told = read_if_any(place.start() / L"Klaidos.log");
    expect(::IsWindow(session.dialog()) != FALSE && box != nullptr,
           "the dialog closed before the message");
    session.answer_box(crash_box);
    wait_gone(session.dialog(), "the main dialog after the crash message");
    const DWORD code = session.process().wait_exit(10s);
    expect(code == 1, "exit code " + std::to_string(code) + " after the crash, expected 1");
    return outcome;
}

void crash_first_report(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    make_huge_list(place.start());
    const CrashOutcome outcome = crash_once(place, ctx);
    const std::string log = read_bytes(place.start() / L"Klaidos.log");
    expect(log == outcome.log_when_told, "Klaidos.log changed after the message was shown");
    expect_memory_report(log, outcome.list, outcome.first, outcome.last);
}

void crash_second_report(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    make_huge_list(place.start());
    crash_once(place, ctx);
    const std::string first = read_bytes(place.start() / L"Klaidos.log");
    const CrashOutcome outcome = crash_once(place, ctx);
    const std::string both = read_bytes(place.start() / L"Klaidos.log");
    expect(both.starts_with(first), "the first report changed when the second was appended");
    // Directly after the "=" of the first: the time of the second stands on their line.
    const std::string_view second = std::string_view(both).substr(first.size());
    expect_memory_report(second, outcome.list, outcome.first, outcome.last);
}

void crash_read_only_log(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    make_huge_list(place.start());
    const std::filesystem::path log = place.start() / L"Klaidos.log";
    const std::string earlier = "2026-11-30 10:00:00.000\r\n\r\nKlaida: ankstesnė\r\n" + separator;
    std::ofstream(log, std::ios::binary) << earlier;
    expect(::SetFileAttributesW(log.c_str(), FILE_ATTRIBUTE_READONLY) != FALSE,
           "cannot make Klaidos.log read-only");
    try {
        crash_once(place, ctx);
    } catch (...) {
        ::SetFileAttributesW(log.c_str(), FILE_ATTRIBUTE_NORMAL);
        throw;
    }
    const DWORD attributes = ::GetFileAttributesW(log.c_str());
    ::SetFileAttributesW(log.c_str(), FILE_ATTRIBUTE_NORMAL);
    expect(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0,
           "Klaidos.log lost its read-only mark");
    expect(read_bytes(log) == earlier, "the read-only Klaidos.log was changed");
}

// ---- A fault while the save chooser is open -----------------------------------------------

// The one register that differs by name between the widths.
void move_instruction_pointer(CONTEXT& context, DWORD_PTR address) {
#if defined(_WIN64)
    context.Rip = address;
#else
    context.Eip = address;
#endif
}

// Makes the thread that owns `window` execute address 0 where it stands, as a fault of the
// program's own code there would: the thread is stopped, its instruction pointer moved, and let
// go. The handler then runs on that thread, with the chooser and the run still on its stack.
void force_access_violation(HWND window) {
    // First the thread must sit in its message loop, done with opening the window: stopped in
    // the middle of a system call of that work, Wine may drop the new instruction pointer.
    DWORD_PTR ignored = 0;
    expect(::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored) != 0,
           "the dialog's thread does not answer");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const DWORD thread_id = ::GetWindowThreadProcessId(window, nullptr);
    const UniqueKernelHandle thread{::OpenThread(
        THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, thread_id)};
    expect(static_cast<bool>(thread), "cannot open the dialog's thread");
    expect(::SuspendThread(thread.get()) != static_cast<DWORD>(-1),
           "cannot stop the dialog's thread");
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    const bool moved =
        ::GetThreadContext(thread.get(), &context) != FALSE &&
        (move_instruction_pointer(context, 0), ::SetThreadContext(thread.get(), &context) != FALSE);
    ::ResumeThread(thread.get());
    expect(moved, "cannot move the dialog thread's instruction pointer");
    // A thread stopped while it waits for a message takes its new place only when the wait
    // ends (so under Wine): a message ends it.
    ::PostMessageW(window, WM_NULL, 0, 0);
}

// The head and the tail of a log that may be too large to read whole, and how many report
// separators (runs of at least 128 "=") it holds.
struct LogLook {
    unsigned long long size = 0;
    std::string head;
    std::string tail;
    int separators = 0;
};

LogLook look_at_log(const std::filesystem::path& log, std::size_t head_size = 1 << 20) {
    LogLook look;
    const UniqueFile file{::CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr)};
    expect(static_cast<bool>(file), "no " + to_utf8(log.wstring()));
    std::vector<char> chunk(16 << 20);
    std::size_t run = 0;
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &got,
                        nullptr) ||
            got == 0) {
            break;
        }
        const std::string_view part(chunk.data(), got);
        if (look.head.size() < head_size)
            look.head += part.substr(0, head_size - look.head.size());
        constexpr std::size_t tail_size = 1 << 16;
        if (part.size() >= tail_size) {
            look.tail.assign(part.substr(part.size() - tail_size));
        } else {
            look.tail += part;
            if (look.tail.size() > tail_size)
                look.tail.erase(0, look.tail.size() - tail_size);
        }
        for (const char byte : part) {
            if (byte == '=') {
                ++run;
            } else {
                look.separators += run >= 128 ? 1 : 0;
                run = 0;
            }
        }
        look.size += got;
    }
    look.separators += run >= 128 ? 1 : 0;
    return look;
}

// One report as the program appends it after the forced fault, judged by its beginning and
// end: the whole one may hold a document of more than a gigabyte on a line.
void expect_chooser_fault_report(const LogLook& log) {
    const std::string shown = "\n" + log.head.substr(0, 4000);
    expect(starts_with_timestamp(log.head), "the report does not start with its time:" + shown);
    expect(log.separators == 1, std::to_string(log.separators) + " reports were appended");
    expect(log.tail.ends_with("\r\n\r\n" + separator), "the report does not end in 128 \"=\"");
    expect(log.head.find("\r\nKlaida: WINDOWS/(0) 0\r\nAprašymas: Neleistina kreiptis į "
                         "atmintį\r\nOperacija: SEH\r\nOS klaida: " +
                         std::to_string(0xC0000005u) + "\r\n") != std::string::npos,
           "no access violation lines:" + shown);
    const std::size_t stack = log.head.find("\r\nStekas: \r\n    SEH(0)");
    expect(stack != std::string::npos, "the stack does not start at the fault:" + shown);
    const std::size_t chooser = log.head.find("\r\n    CHOOSESAVEFILE(", stack);
    const std::size_t run = log.head.find("\r\n    ATRINKPOZICIJAS(", stack);
    expect(chooser != std::string::npos && run != std::string::npos && chooser < run,
           "the stack does not show the save chooser inside the run:" + shown);
    // The chooser's level shows the file types it was given, as pairs.
    expect(log.head.find("{{\"GPAIS failai (*.xml)\", \"*.xml\"}}", chooser) < run,
           "the save chooser's level does not show its file types:" + shown);
    expect(log.tail.find("\r\nVartotojas: ") != std::string::npos, "the report has no end part");
}

// Starts the program on `list`, runs it for a period that keeps positions, to the save chooser,
// and forces the fault there; the crash message must come, and after it the dialogs must go and
// the exit code be 1.
void fault_in_save_chooser(const Workspace& place, const Context& ctx,
                           const std::filesystem::path& list, std::pair<Ymd, Ymd> period,
                           std::chrono::seconds limit) {
    UserSession session(place, ctx.exe, quoted(list));
    session.set_period(period.first, period.second);
    session.click(IDC_RUN);
    HWND chooser = wait_dialog(session.process().id(), list_chooser_title, limit);
    force_access_violation(chooser);
    HWND box = wait_dialog(session.process().id(), crash_box.caption, limit);
    expect(box != nullptr && ::IsWindow(session.dialog()) != FALSE,
           "the dialog closed before the message");
    session.answer_box(crash_box);
    wait_gone(chooser, "the save chooser after the crash message");
    wait_gone(session.dialog(), "the main dialog after the crash message");
    const DWORD code = session.process().wait_exit(limit);
    expect(code == 1, "exit code " + std::to_string(code) + " after the crash, expected 1");
}

// The list lies in a folder below the start folder, where the chooser opens; the report must
// land in the start folder all the same.
void crash_in_save_chooser(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const std::filesystem::path list = place.start() / L"poaplankis" / L"Prekių sąrašas.xml";
    std::filesystem::copy_file(place.product_list(), list);
    fault_in_save_chooser(place, ctx, list, {2025y / March / 1d, 2025y / March / 31d}, 20s);
    expect(!std::filesystem::exists(list.parent_path() / L"Klaidos.log"),
           "a report was written beside the product list");
    expect_chooser_fault_report(look_at_log(place.start() / L"Klaidos.log"));
}

// Positions of about 150 bytes, every one starting to be supplied on `day`, until the list
// holds `size` bytes: the whole list is kept, so the run holds all of it when the chooser opens.
void write_large_list(const std::filesystem::path& path, Ymd day, unsigned long long size) {
    const UniqueFile file{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr)};
    expect(static_cast<bool>(file), "cannot create " + to_utf8(path.wstring()));
    const std::string position =
        std::string("    <produktas>\r\n      <kodas>LT-0001</kodas>\r\n") +
        "      <pavadinimas>Šaldytuvas „Žiema“</pavadinimas>\r\n" + "      <pradetaTiektiNuo>" +
        to_text(day) + "</pradetaTiektiNuo>\r\n    </produktas>\r\n";
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<gpais>\r\n  <produktai>\r\n";
    const std::string end = "  </produktai>\r\n</gpais>\r\n";
    std::string chunk;
    while (chunk.size() < (8u << 20))
        chunk += position;
    unsigned long long written = 0;
    const auto put = [&](std::string_view bytes) {
        DWORD done = 0;
        expect(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done,
                           nullptr) != FALSE &&
                   done == bytes.size(),
               "cannot write " + to_utf8(path.wstring()));
        written += done;
    };
    put(head);
    while (written + chunk.size() + end.size() < size)
        put(chunk);
    put(end);
}

// The same fault with a list of about 1.4 GB fully in memory: a 32-bit process cannot hold
// another whole copy of it or two, and the report must land all the same.
void crash_in_save_chooser_large_list(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const std::filesystem::path list = place.start() / L"poaplankis" / L"Didelis sąrašas.xml";
    const std::pair<Ymd, Ymd> period = default_period(today());
    write_large_list(list, period.first, 1400ull << 20);
    fault_in_save_chooser(place, ctx, list, period, 120s);
    std::filesystem::remove(list);
    expect(!std::filesystem::exists(list.parent_path() / L"Klaidos.log"),
           "a report was written beside the product list");
    const LogLook log = look_at_log(place.start() / L"Klaidos.log");
    expect_chooser_fault_report(log);
    // Either the whole report, with the whole document on the run's line, or the shortened
    // one, with its first 4,096 bytes and its length.
    const bool whole = log.size > (1400ull << 20);
    expect(whole || log.head.find(" … (") != std::string::npos,
           "the report holds neither the whole document nor its shortened form (" +
               std::to_string(log.size) + " bytes)");
    std::printf("report of %llu bytes, %s\n", log.size, whole ? "whole" : "shortened");
}

// A Klaidos.log of more than 4 GiB, sparse so that it costs no disk: a report must be appended
// at its true end, and its first bytes stay as they were.
void crash_log_past_4_gib(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    make_huge_list(place.start());
    const std::filesystem::path log = place.start() / L"Klaidos.log";
    const std::string earlier = "2026-11-30 10:00:00.000\r\n\r\nKlaida: ankstesnė\r\n" + separator;
    constexpr LONGLONG log_size = 4300LL << 20;
    make_sparse_file(log, log_size, earlier);
    const CrashOutcome outcome = crash_once(place, ctx, false);

    const UniqueFile file{::CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr)};
    expect(static_cast<bool>(file), "Klaidos.log is gone");
    std::string first(earlier.size(), '\0');
    DWORD got = 0;
    expect(::ReadFile(file.get(), first.data(), static_cast<DWORD>(first.size()), &got, nullptr) !=
                   FALSE &&
               first == earlier,
           "the first bytes of Klaidos.log changed");
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file.get(), &size);
    expect(size.QuadPart > log_size, "no report was appended past 4 GiB");
    LARGE_INTEGER at{};
    at.QuadPart = log_size;
    std::string report(static_cast<std::size_t>(size.QuadPart - log_size), '\0');
    expect(::SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) != FALSE &&
               ::ReadFile(file.get(), report.data(), static_cast<DWORD>(report.size()), &got,
                          nullptr) != FALSE &&
               got == report.size(),
           "cannot read the appended report");
    expect_memory_report(report, outcome.list, outcome.first, outcome.last);
}

// ---- Failures of each kind in a dialog procedure, met by the probe -----------------------

struct FaultCase {
    std::string name;
    std::wstring kind;
    std::string error_line;  // the "Klaida: " line
    std::string os_line;     // the "OS klaida: " line, empty when there is none
    std::vector<std::string> stack;
};

const std::vector<FaultCase> fault_cases = {
    {"fault_access_violation",
     L"access",
     "Klaida: WINDOWS/(0) 0",
     "OS klaida: " + std::to_string(0xC0000005u),
     {"SEH", "FAIL", "MAIN"}},
    {"fault_integer_division",
     L"divide",
     "Klaida: WINDOWS/(0) 0",
     "OS klaida: " + std::to_string(0xC0000094u),
     {"SEH", "FAIL", "MAIN"}},
    {"fault_stack_overflow",
     L"overflow",
     "Klaida: WINDOWS/(0) 0",
     "OS klaida: " + std::to_string(0xC00000FDu),
     {"STACK", "FAIL", "MAIN"}},
    {"fault_escaped_exception", L"exception", "Klaida: C++/(0) 0", "", {"FAIL", "MAIN"}},
};

// Here the program named on the driver's command line is the probe.
void fault(const Context& ctx, const std::string& name) {
    const FaultCase* found = &case_named(fault_cases, name);
    Workspace place(name, ctx.source_dir);
    Program probe(ctx.exe, found->kind, place.start());
    HWND box = wait_dialog(probe.id(), crash_box.caption, 20s);
    const std::string report = read_if_any(place.start() / L"Klaidos.log");
    expect_text(text_of(box, 0xFFFF), crash_box.text, "the crash message");
    click(box, IDOK);
    const DWORD code = probe.wait_exit(10s);
    expect(code == 1, "exit code " + std::to_string(code) + ", expected 1");

    const std::string shown = "\n" + report;
    expect(starts_with_timestamp(report) && report.ends_with("\r\n\r\n" + separator),
           "not one whole report:" + shown);
    expect(report.find("\r\n" + found->error_line + "\r\n") != std::string::npos,
           "no line \"" + found->error_line + "\":" + shown);
    expect(found->os_line.empty() == (report.find("\r\nOS klaida: ") == std::string::npos) &&
               (found->os_line.empty() ||
                report.find("\r\n" + found->os_line + "\r\n") != std::string::npos),
           "the OS code line is not \"" + found->os_line + "\":" + shown);
    expect(stack_names(report) == found->stack, "the stack is not the failing function's:" + shown);
}

}  // namespace

const std::vector<Scenario>& scenarios() {
    static const std::vector<Scenario> all = [] {
        std::vector<Scenario> list = {
            {"crash_first_report", crash_first_report},
            {"crash_second_report", crash_second_report},
            {"crash_read_only_log", crash_read_only_log},
            {"crash_in_save_chooser", crash_in_save_chooser},
            {"crash_in_save_chooser_large_list", crash_in_save_chooser_large_list},
            {"crash_log_past_4_gib", crash_log_past_4_gib},
        };
        add_cases(list, fault_cases, fault);
        return list;
    }();
    return all;
}

}  // namespace gpais::e2e
