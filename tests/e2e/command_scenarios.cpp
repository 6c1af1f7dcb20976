// The console command under Wine on real files: another program holding the output or the list
// for a moment or for good, a list that cannot be read, and a list in a folder of 300
// characters. Built with main.cpp into a driver
// of its own; the program it is given is gpais-filter.exe.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "base/unique_handle.hpp"
#include "check.hpp"
#include "filter/messages.hpp"
#include "program.hpp"
#include "scenarios.hpp"
#include "tests/support/temp_folder.hpp"
#include "user_session.hpp"
#include "workspace.hpp"

namespace gpais::e2e {

namespace {

using namespace std::chrono;

struct CommandResult {
    DWORD exit_code;
    std::string err;  // line breaks as "\n"
    milliseconds took;
};

// Runs the command in `start` with its messages captured beside the workspace, not in it.
CommandResult run_command(const Context& ctx, const Workspace& place,
                          const std::filesystem::path& start, const std::wstring& tail) {
    // A console host Wine starts for the command may hold the file a while after it ends, so
    // each run has a file of its own, removed with the workspace.
    static int runs = 0;
    const std::filesystem::path err_file =
        place.start().parent_path() / (L"stderr-" + std::to_wstring(++runs) + L".txt");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueFile err(::CreateFileW(err_file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    expect(static_cast<bool>(err), "cannot make the file for standard error");
    const auto started = steady_clock::now();
    Program command(ctx.exe, tail, start, err.get());
    const DWORD code = command.wait_exit(60s);
    const auto took = duration_cast<milliseconds>(steady_clock::now() - started);
    err.reset();
    std::string text = read_bytes(err_file);
    std::erase(text, '\r');
    return {code, text, took};
}

const std::wstring march = L"--from 2025-03-01 --to 2025-03-31 ";

std::string line(const Message& message) {
    return std::string(message.text) + "\n";
}
std::string line(const ComposedMessage& message) {
    return line(message.view());
}

void expect_result(const CommandResult& got, DWORD exit_code, const std::string& err,
                   const std::string& what) {
    expect(got.exit_code == exit_code, what + ": exit code " + std::to_string(got.exit_code) +
                                           ", expected " + std::to_string(exit_code));
    expect(got.err == err, what + ": standard error \"" + got.err + "\", expected \"" + err + "\"");
}

// ---- Another program holds a file ---------------------------------------------------------------

struct HoldCase {
    std::string name;
    bool holds_list;  // the list; otherwise the existing output
    milliseconds held_for;
    FileHolder::Sharing shared;
    std::wstring cause;  // empty: the run goes through
};

const std::vector<HoldCase> hold_cases = {
    {"command_output_held_for_a_moment", false, 1500ms, FileHolder::Sharing::read, L""},
    {"command_output_in_use", false, 10s, FileHolder::Sharing::none,
     L"Failą naudoja kita programa."},
    {"command_list_held_for_a_moment", true, 1500ms, FileHolder::Sharing::none, L""},
    {"command_list_in_use", true, 10s, FileHolder::Sharing::none, L"Failą naudoja kita programa."},
};

void held_file(const Context& ctx, const std::string& name) {
    const HoldCase* found = &case_named(hold_cases, name);
    Workspace place(name, ctx.source_dir);
    const EarlierResult earlier(place, place.start() / L"Rezultatas ž.xml");
    const auto& output = earlier.file();
    std::optional<FileHolder> holder;
    holder.emplace(found->holds_list ? place.product_list() : output, found->held_for,
                   found->shared);
    const CommandResult got =
        run_command(ctx, place, place.start(),
                    march + L"-o " + quoted(output) + L" " + quoted(place.product_list()));
    holder.reset();
    expect(got.took < 3500ms, "the command took " + std::to_string(got.took.count()) + " ms");
    if (found->cause.empty()) {
        expect_result(got, 0, line(messages::file_written(3)), name);
        earlier.expect_replaced_by("by-period.xml", "the run");
    } else {
        const std::string cause = to_utf8(found->cause);
        expect_result(got, 1,
                      found->holds_list
                          ? line(messages::with_line(messages::bad_product_list, cause))
                          : line(messages::file_not_written(to_utf8(output.wstring()), cause)),
                      name);
        earlier.expect_kept("the run");
    }
}

// ---- A list that cannot be read ----------------------------------------------------------------

void list_missing(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const auto before = files_in(place.start());
    const CommandResult got =
        run_command(ctx, place, place.start(), march + quoted(place.start() / L"Nėra.xml"));
    expect_result(got, 1,
                  line(messages::with_line(messages::bad_product_list, "Nėra tokio failo.")), name);
    const CommandResult folder = run_command(ctx, place, place.start(), march + L"poaplankis");
    expect_result(
        folder, 1,
        line(messages::with_line(messages::bad_product_list, "Nurodytas kelias yra aplankas.")),
        name + ", a folder");
    expect(files_in(place.start()) == before, "a refused run left files behind");
}

// ---- A folder of 300 characters ----------------------------------------------------------------

void deep_folder_run(const Context& ctx, const std::string& name) {
    Workspace place(name, ctx.source_dir);
    const auto list = deep_list(place);
    const auto folder = list.parent_path();
    SYSTEMTIME before{};
    ::GetLocalTime(&before);
    const CommandResult got = run_command(ctx, place, place.start(), march + quoted(list));
    SYSTEMTIME after{};
    ::GetLocalTime(&after);
    expect_result(got, 0, line(messages::file_written(3)), name);
    // The proposed name, beside the list: its stem, "_", the date and the time of the run.
    bool found = false;
    for (const SYSTEMTIME& time : {before, after}) {
        const auto made = folder / (L"Prekių sąrašas" + name_stamp(time));
        if (!found &&
            ::GetFileAttributesW(testing::reachable(made).c_str()) != INVALID_FILE_ATTRIBUTES) {
            expect_same_bytes(testing::reachable(made), place.golden("by-period.xml"));
            found = true;
        }
    }
    expect(found, "the proposed name was not written beside the list");
}

}  // namespace

const std::vector<Scenario>& scenarios() {
    static const std::vector<Scenario> all = [] {
        std::vector<Scenario> list;
        add_cases(list, hold_cases, held_file);
        list.push_back({"command_list_missing", list_missing});
        list.push_back({"command_deep_folder", deep_folder_run});
        return list;
    }();
    return all;
}

}  // namespace gpais::e2e
