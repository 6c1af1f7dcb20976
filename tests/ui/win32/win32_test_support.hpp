#pragma once
// Small helpers shared by the Windows-side tests.

#include <windows.h>

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

inline std::wstring program_path() {
    return windows_path(GPAIS_PROGRAM_PATH);
}

inline std::wstring cli_program_path() {
    return windows_path(GPAIS_CLI_PROGRAM_PATH);
}

}  // namespace gpais::ui::testing
