#include "errors/win32_platform.hpp"

#include <windows.h>
// after windows.h
#include <string>
#include <vector>

#include "base/current_folder.hpp"
#include "base/text_convert.hpp"
#include "base/unique_handle.hpp"
#include "base/windows_path.hpp"
#include "errors/win32_dialogs.hpp"

namespace gpais {

namespace {

constexpr REGSAM read_from_64_bit_view = 0x20119;  // KEY_READ | KEY_WOW64_64KEY

}  // namespace

LocalTime Win32ErrorPlatform::local_time() {
    return read_local_time();
}

std::optional<std::string> Win32ErrorPlatform::windows_version_value(std::string_view name) {
    UniqueRegistryKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0,
                        read_from_64_bit_view, key.put()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring value_name = to_wide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &read) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring_view text(buffer.data(), read / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.remove_suffix(1);
    return to_utf8(text);
}

std::string Win32ErrorPlatform::computer_name() {
    wchar_t name[16] = {};
    DWORD length = 16;
    if (!::GetComputerNameW(name, &length))
        return {};
    return to_utf8(std::wstring_view(name, length));
}

std::string Win32ErrorPlatform::user_name() {
    wchar_t name[256] = {};
    DWORD length = 256;
    if (!::GetUserNameW(name, &length) || length == 0)
        return {};
    return to_utf8(std::wstring_view(name, length - 1));  // the count includes the NUL
}

std::string Win32ErrorPlatform::environment(std::string_view name) {
    const std::wstring wide_name = to_wide(name);
    const DWORD needed = ::GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring value(needed, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(wide_name.c_str(), value.data(), needed);
    value.resize(length);
    return to_utf8(value);
}

std::string Win32ErrorPlatform::command_line() {
    return to_utf8(::GetCommandLineW());
}

std::string Win32ErrorPlatform::current_folder() {
    return read_current_folder();
}

bool Win32ErrorPlatform::append_to_file(std::string_view path, std::string_view bytes,
                                        LogAccess access) {
    // Absolute and prefixed when long, so a program started in a deep folder still leaves its
    // report there.
    const std::wstring name = windows_file_path(path);
    // Windows refuses to write a file marked read-only, but Wine started by the superuser maps
    // the mark to permission bits that do not bind it; a log kept read-only stays unchanged.
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    const DWORD rights =
        access == LogAccess::read_write ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_WRITE;
    UniqueFile file(::CreateFileW(name.c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    // The 64-bit move: the 32-bit one fails on a log of 4 GiB or more and leaves the position at
    // 0, where the write would overwrite the oldest reports. A log whose end cannot be reached is
    // left as it is.
    if (::SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_END) == FALSE)
        return false;
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return true;
}

void Win32ErrorPlatform::show_message(std::string_view text, std::string_view caption, Icon icon) {
    show_message_box(text, caption, icon);
}

void Win32ErrorPlatform::end_thread_dialogs() {
    ENDTHREADDLG();
}

void Win32ErrorPlatform::exit_process(int code) {
    // The report is written and the person told. ExitProcess would now run the detach code of
    // every DLL inside a process that has just failed, and could hang or fail there instead.
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(code));
    ::ExitProcess(static_cast<UINT>(code));  // not reached: TerminateProcess ends this process
}

ErrorPlatform& win32_error_platform() {
    static Win32ErrorPlatform platform;
    return platform;
}

}  // namespace gpais
