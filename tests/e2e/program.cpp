#include "program.hpp"

#include <thread>

#include "base/unique_handle.hpp"
#include "check.hpp"

namespace gpais::e2e {

Program::Program(const std::filesystem::path& exe, const std::wstring& command_tail,
                 const std::filesystem::path& start_folder, HANDLE output) {
    std::wstring command_line = L"\"" + exe.wstring() + L"\"";
    if (!command_tail.empty()) {
        command_line += L" " + command_tail;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    const bool redirected = output != nullptr;
    PROCESS_INFORMATION info{};
    const BOOL started = ::CreateProcessW(
        exe.c_str(), command_line.data(), nullptr, nullptr, redirected ? TRUE : FALSE,
        redirected ? CREATE_NO_WINDOW : 0, nullptr, start_folder.c_str(), &startup, &info);
    expect(started != FALSE, "cannot start " + to_utf8(exe.wstring()) + " (error " +
                                 std::to_string(::GetLastError()) + ")");
    ::CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
}

Program::~Program() {
    if (running()) {
        ::TerminateProcess(process_.get(), 99);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

bool Program::running() const {
    return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

DWORD Program::wait_exit(std::chrono::milliseconds limit) {
    const DWORD waited = ::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count()));
    expect(waited == WAIT_OBJECT_0,
           "the program did not end within " + std::to_string(limit.count()) + " ms");
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

namespace {

std::filesystem::path holder_program() {
    wchar_t own[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, own, MAX_PATH);
    return std::filesystem::path(own).parent_path() / L"gpais_file_holder.exe";
}

// Opening the file with the right to delete it is what another holder's sharing refuses.
bool is_held(const std::filesystem::path& file) {
    const UniqueFile probe(::CreateFileW(file.c_str(), DELETE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

FileHolder::FileHolder(const std::filesystem::path& file, std::chrono::milliseconds held_for,
                       Sharing shared)
    : program_(holder_program(),
               L"\"" + file.wstring() + L"\" " + std::to_wstring(held_for.count()) +
                   (shared == Sharing::read ? L" read" : L" none"),
               file.parent_path()) {
    wait_until([&] { return is_held(file) || !program_.running(); }, std::chrono::seconds(10),
               "the other program to hold " + to_utf8(file.wstring()));
    expect(program_.running(), "the other program could not hold " + to_utf8(file.wstring()));
}

// Ending the other program lets the file go at once: a scenario need not wait out the hold.
FileHolder::~FileHolder() = default;

}  // namespace gpais::e2e
