// The program meeting a failure that nobody checks for while its dialog is open: a product
// list too large to hold in memory. Built with main.cpp into a driver of its own, so that these
// starts and the dialog scenarios can be run and repeated apart.

// GCC 12 warns, wrongly, that a string literal joined to a std::string overlaps it (its bug
// 105329); these checks build their texts that way throughout.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

#include <windows.h>

#include <winioctl.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "check.hpp"
#include "program.hpp"
#include "scenarios.hpp"
#include "user_session.hpp"
#include "windows_probe.hpp"

namespace gpais::e2e {

namespace {

using namespace std::chrono;

const expected_box crash_box{
    L"Įvyko klaida.\nPraneškite programuotojams.\nEl.paštu: "
    L"support@gpais-filtras.lt",
    L"Klaida", IDI_ERROR};
const std::string separator(128, '=');
constexpr LONGLONG huge_size = 3500LL << 20;

// Sparse, so that 3.5 GB cost no disk: only the size is set, nothing is written.
std::filesystem::path make_huge_list(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / L"Didelis sąrašas.xml";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    expect(file != INVALID_HANDLE_VALUE, "cannot create " + utf8(path.wstring()));
    DWORD returned = 0;
    ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER size{};
    size.QuadPart = huge_size;
    const bool sized = ::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) != FALSE &&
                       ::SetEndOfFile(file) != FALSE;
    ::CloseHandle(file);
    expect(sized, "cannot give " + utf8(path.wstring()) + " its size");
    return path;
}

std::string read_if_any(const std::filesystem::path& file) {
    return std::filesystem::exists(file) ? read_bytes(file) : std::string{};
}

std::string compact_date(ymd day) {
    char text[16];
    std::snprintf(text, sizeof text, "0d%04d%02u%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

// "YYYY-MM-DD HH:MM:SS.FFF" and an empty line.
bool starts_with_timestamp(std::string_view report) {
    constexpr std::string_view shape = "0000-00-00 00:00:00.000\r\n\r\n";
    if (report.size() < shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = report[i] >= '0' && report[i] <= '9';
        if (shape[i] == '0' ? !digit : report[i] != shape[i])
            return false;
    }
    return true;
}

std::vector<std::string> stack_lines(std::string_view report) {
    std::vector<std::string> lines;
    std::size_t at = report.find("Stekas: \r\n");
    if (at == std::string_view::npos)
        return lines;
    for (at += 10; report.substr(at, 4) == "    "; at = report.find("\r\n", at) + 2)
        lines.emplace_back(report.substr(at, report.find("\r\n", at) - at));
    return lines;
}

std::string name_of(const std::string& stack_line) {
    return stack_line.substr(4, stack_line.find('(') - 4);
}

// One crash report as the program appends it, judged on its own.
void expect_memory_report(std::string_view report, const std::filesystem::path& list, ymd first,
                          ymd last) {
    const std::string shown = "\n" + std::string(report);
    expect(starts_with_timestamp(report), "the report does not start with its time:" + shown);
    expect(report.ends_with("\r\n\r\n" + separator), "the report does not end in 128 \"=\"");
    expect(report.find(separator) == report.size() - separator.size(),
           "more than one report was appended:" + shown);
    expect(report.find("\r\n\r\nKlaida: C++/EG_MEM(11) 0\r\n") != std::string_view::npos,
           "no memory error line:" + shown);

    const std::vector<std::string> stack = stack_lines(report);
    std::vector<std::string> names;
    for (const std::string& line : stack)
        names.push_back(name_of(line));
    const std::vector<std::string> expected_names = {"MEMORY", "read_whole_file", "ATRINKPOZICIJAS",
                                                     "DIALOGFUNC", "MAIN"};
    expect(names == expected_names, "the stack is not the run's:" + shown);
    expect(stack[0] == "    MEMORY(0)                   ()", "the library level: " + stack[0]);
    const std::string run_values = "(\"" + utf8(list.wstring()) + "\", " + compact_date(first) +
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

struct crash_outcome {
    std::string log_when_told;  // Klaidos.log while the message is shown
    std::filesystem::path list;
    ymd first, last;
};

// Starts the program on the huge list, presses the run button and answers the crash message;
// the dialog must then be gone and the process must end with exit code 1.
crash_outcome crash_once(const workspace& place, const context& ctx) {
    crash_outcome outcome;
    outcome.list = place.start() / L"Didelis sąrašas.xml";
    user_session session(place, ctx.exe, L"\"" + outcome.list.wstring() + L"\"");
    std::tie(outcome.first, outcome.last) = default_period(today());
    session.click(run_button);

    HWND box = wait_dialog(session.process().id(), crash_box.caption, 30s);
    // The report is written before the person is told.
    outcome.log_when_told = read_if_any(place.start() / L"Klaidos.log");
    expect(::IsWindow(session.dialog()) != FALSE && box != nullptr,
           "the dialog closed before the message");
    session.answer_box(crash_box);
    wait_gone(session.dialog(), "the main dialog after the crash message");
    const DWORD code = session.process().wait_exit(10s);
    expect(code == 1, "exit code " + std::to_string(code) + " after the crash, expected 1");
    return outcome;
}

void crash_first_report(const context& ctx, const std::string& name) {
    workspace place(name, ctx.source_dir);
    make_huge_list(place.start());
    const crash_outcome outcome = crash_once(place, ctx);
    const std::string log = read_bytes(place.start() / L"Klaidos.log");
    expect(log == outcome.log_when_told, "Klaidos.log changed after the message was shown");
    expect_memory_report(log, outcome.list, outcome.first, outcome.last);
}

void crash_second_report(const context& ctx, const std::string& name) {
    workspace place(name, ctx.source_dir);
    make_huge_list(place.start());
    crash_once(place, ctx);
    const std::string first = read_bytes(place.start() / L"Klaidos.log");
    const crash_outcome outcome = crash_once(place, ctx);
    const std::string both = read_bytes(place.start() / L"Klaidos.log");
    expect(both.starts_with(first), "the first report changed when the second was appended");
    // Directly after the "=" of the first: the time of the second stands on their line.
    const std::string_view second = std::string_view(both).substr(first.size());
    expect_memory_report(second, outcome.list, outcome.first, outcome.last);
}

void crash_read_only_log(const context& ctx, const std::string& name) {
    workspace place(name, ctx.source_dir);
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

// ---- Failures of each kind in a dialog procedure, met by the probe -----------------------

struct fault_case {
    std::string name;
    std::wstring kind;
    std::string error_line;  // the "Klaida: " line
    std::string os_line;     // the "OS klaida: " line, empty when there is none
    std::vector<std::string> stack;
};

const std::vector<fault_case> fault_cases = {
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
void fault(const context& ctx, const std::string& name) {
    const fault_case* found = nullptr;
    for (const auto& c : fault_cases)
        found = c.name == name ? &c : found;
    workspace place(name, ctx.source_dir);
    program probe(ctx.exe, found->kind, place.start());
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
    std::vector<std::string> names;
    for (const std::string& line : stack_lines(report))
        names.push_back(name_of(line));
    expect(names == found->stack, "the stack is not the failing function's:" + shown);
}

}  // namespace

const std::vector<scenario>& scenarios() {
    static const std::vector<scenario> all = {
        {"crash_first_report", crash_first_report},
        {"crash_second_report", crash_second_report},
        {"crash_read_only_log", crash_read_only_log},
        {"fault_access_violation", fault},
        {"fault_integer_division", fault},
        {"fault_stack_overflow", fault},
        {"fault_escaped_exception", fault},
    };
    return all;
}

}  // namespace gpais::e2e
