#pragma once
// Small helpers shared by the Windows-side tests.

#include <windows.h>

#include <cstdlib>
#include <string>

namespace gpais::ui::testing {

// A built program's path as Wine sees it: a Unix path lies on drive Z:.
inline std::wstring windows_path(std::string path) {
    if (!path.empty() && path.front() == '/')
        path = "Z:" + path;
    std::wstring wide(path.begin(), path.end());  // the build folder's path is ASCII
    for (wchar_t& c : wide) {
        if (c == L'/')
            c = L'\\';
    }
    return wide;
}

// The built program, or the one an environment variable of that name points to: the 64-bit
// twin's tests read the 32-bit programs users get through it.
inline std::wstring built_or_named(const char* variable, const char* built) {
    const char* named = std::getenv(variable);
    return windows_path(named != nullptr && *named != '\0' ? named : built);
}

inline std::wstring program_path() {
    return built_or_named("GPAIS_PROGRAM_PATH", GPAIS_PROGRAM_PATH);
}

inline std::wstring cli_program_path() {
    return built_or_named("GPAIS_CLI_PROGRAM_PATH", GPAIS_CLI_PROGRAM_PATH);
}

}  // namespace gpais::ui::testing
