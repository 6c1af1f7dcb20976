#include "program.hpp"

#include "check.hpp"

namespace gpais::e2e {

program::program(const std::filesystem::path& exe, const std::wstring& command_tail,
                 const std::filesystem::path& start_folder) {
    std::wstring command_line = L"\"" + exe.wstring() + L"\"";
    if (!command_tail.empty()) {
        command_line += L" " + command_tail;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const BOOL started = ::CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                                          0, nullptr, start_folder.c_str(), &startup, &info);
    expect(started != FALSE, "cannot start " + to_utf8(exe.wstring()) + " (error " +
                                 std::to_string(::GetLastError()) + ")");
    ::CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
}

program::~program() {
    if (running()) {
        ::TerminateProcess(process_.get(), 99);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

bool program::running() const {
    return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

DWORD program::wait_exit(std::chrono::milliseconds limit) {
    const DWORD waited = ::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count()));
    expect(waited == WAIT_OBJECT_0,
           "the program did not end within " + std::to_string(limit.count()) + " ms");
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

}  // namespace gpais::e2e
