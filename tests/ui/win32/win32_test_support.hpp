#pragma once
// Small helpers shared by the Windows-side tests.

#include <windows.h>

#include <string>

namespace gpais::ui::testing {

// The built program's path as Wine sees it: a Unix path lies on drive Z:.
inline std::wstring program_path() {
    std::string path = GPAIS_PROGRAM_PATH;
    if (!path.empty() && path.front() == '/')
        path = "Z:" + path;
    std::wstring wide(path.begin(), path.end());  // the build folder's path is ASCII
    for (wchar_t& c : wide) {
        if (c == L'/')
            c = L'\\';
    }
    return wide;
}

}  // namespace gpais::ui::testing
