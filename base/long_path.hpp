#pragma once
// The form in which a path reaches Windows' file calls. Without the "\\?\" prefix they refuse
// names of MAX_PATH characters or more; with it they take up to 32,767, but no longer make the
// path absolute or turn "/" into "\" themselves, so the prefix goes only on a full path.

#include <cstddef>
#include <string>
#include <string_view>

namespace gpais {

// From this length on a path gets the prefix: a folder of this length is the longest whose
// files Windows still creates without it (MAX_PATH less room for an 8.3 name).
inline constexpr std::size_t long_path_from = 260 - 12;

// `path` made absolute by `make_absolute` (GetFullPathNameW on Windows, which answers an empty
// text when it fails) and, from long_path_from characters on, with "\\?\" ("\\?\UNC\" for a
// share's "\\server\share\..."). A path that already has a prefix ("\\?\", "\\.\", "\??\") is
// left alone; one that cannot be made absolute is passed on as given, for the call to refuse.
template <typename MakeAbsolute>
[[nodiscard]] std::wstring long_path_form(std::wstring_view path, MakeAbsolute make_absolute) {
    const auto prefixed = [path](std::wstring_view prefix) { return path.starts_with(prefix); };
    if (prefixed(L"\\\\?\\") || prefixed(L"\\\\.\\") || prefixed(L"\\??\\"))
        return std::wstring(path);
    std::wstring full = make_absolute(path);
    if (full.empty())
        return std::wstring(path);
    if (full.size() < long_path_from)
        return full;
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// The path as a person and the calls without the prefix know it: "\\?\UNC\" back to "\\",
// "\\?\" dropped, anything else as it is.
[[nodiscard]] inline std::wstring without_long_prefix(std::wstring_view path) {
    if (path.starts_with(L"\\\\?\\UNC\\"))
        return L"\\\\" + std::wstring(path.substr(8));
    if (path.starts_with(L"\\\\?\\"))
        return std::wstring(path.substr(4));
    return std::wstring(path);
}

}  // namespace gpais
