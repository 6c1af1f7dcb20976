// Prints what Windows itself reads from a program's version block (the file's Properties
// show the same), one line per program: the fixed file version, then the FileVersion,
// ProductVersion and OriginalFilename texts, separated by "|".
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/text_convert.hpp"

namespace {

std::wstring windows_path(std::wstring path) {
    // Under Wine a Unix path lies on drive Z:.
    if (!path.empty() && path.front() == L'/')
        path.insert(0, L"Z:");
    return path;
}

std::wstring text_value(const std::vector<BYTE>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0)
        return L"(none)";
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

void print_utf8(const std::wstring& text) {
    const std::string bytes = gpais::to_utf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring path = windows_path(argv[i]);
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
        std::vector<BYTE> block(size);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT fixed_length = 0;
        if (size == 0 || !::GetFileVersionInfoW(path.c_str(), 0, size, block.data()) ||
            !::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed),
                              &fixed_length) ||
            fixed_length < sizeof(VS_FIXEDFILEINFO)) {
            std::printf("no version block\n");
            ++failures;
            continue;
        }
        std::printf("%u.%u.%u.%u|", unsigned{HIWORD(fixed->dwFileVersionMS)},
                    unsigned{LOWORD(fixed->dwFileVersionMS)},
                    unsigned{HIWORD(fixed->dwFileVersionLS)},
                    unsigned{LOWORD(fixed->dwFileVersionLS)});
        print_utf8(text_value(block, L"FileVersion") + L"|" + text_value(block, L"ProductVersion") +
                   L"|" + text_value(block, L"OriginalFilename") + L"\n");
    }
    return failures == 0 ? 0 : 1;
}
