#include "base/windows_path.hpp"

#include <windows.h>

#include "base/long_path.hpp"
#include "base/text_convert.hpp"

namespace gpais {

namespace {

// The current folder and the drive's own current folder are the process's; the answer is empty
// when Windows cannot make the path absolute.
std::wstring full_path(std::wstring_view path) {
    const std::wstring given(path);
    DWORD needed = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    // The current folder may change between the two calls; the second asks again if it grew.
    for (int attempt = 0; attempt < 3 && needed != 0; ++attempt) {
        std::wstring full(needed, L'\0');
        const DWORD length = ::GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
        if (length == 0)
            return {};
        if (length < needed) {
            full.resize(length);
            return full;
        }
        needed = length;
    }
    return {};
}

}  // namespace

std::wstring windows_file_path(std::string_view utf8) {
    return long_path_form(to_wide(utf8), full_path);
}

}  // namespace gpais
