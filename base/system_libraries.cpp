#include "base/system_libraries.hpp"

#include <cwchar>
#include <type_traits>

namespace gpais {

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
// A type that differed from the real one (a missing WINAPI) would corrupt the 32-bit stack.
static_assert(
    std::is_same_v<SetDefaultDllDirectoriesFunction, decltype(&::SetDefaultDllDirectories)>);

// Vista and 7 have the search flags only with update KB2533623; without it the call is not
// there, and a program that imported it would not start at all.
bool search_flags_known = false;

}  // namespace

void search_system_folder_only() noexcept {
    const auto set_default_directories =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set_default_directories != nullptr &&
        set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE) {
        search_flags_known = true;
        return;
    }
    // Takes at least the current folder out of the search; our own loads name full paths.
    ::SetDllDirectoryW(L"");
}

HMODULE load_system_library(const wchar_t* name) noexcept {
    if (search_flags_known)
        return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t path[MAX_PATH] = {};
    const UINT folder_length = ::GetSystemDirectoryW(path, MAX_PATH);
    const std::size_t name_length = std::wcslen(name);
    if (folder_length == 0 || folder_length + 1 + name_length >= MAX_PATH)
        return nullptr;
    path[folder_length] = L'\\';
    std::wmemcpy(path + folder_length + 1, name, name_length + 1);
    return ::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace gpais
