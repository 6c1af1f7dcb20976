#include "base/long_path.hpp"

#include <gtest/gtest.h>

#include <string>

namespace gpais {
namespace {

// What GetFullPathNameW makes of a path with C:\Darbas as the current folder: a path that is
// not absolute yet is put below it, and "/" becomes "\". It refuses an empty path.
std::wstring made_absolute(std::wstring_view path) {
    if (path.empty())
        return {};
    std::wstring full(path);
    for (wchar_t& c : full) {
        if (c == L'/')
            c = L'\\';
    }
    const bool absolute = full.starts_with(L"\\\\") || (full.size() > 2 && full[1] == L':');
    return absolute ? full : L"C:\\Darbas\\" + full;
}

// A full path of exactly `length` characters below `start`.
std::wstring of_length(std::wstring start, std::size_t length) {
    start.resize(length - 4, L'a');
    return start + L".xml";
}

TEST(LongPathForm, AbsoluteAndPrefixedFromTheLimitOn) {
    const std::wstring below = of_length(L"C:\\Sąrašai\\", long_path_from - 1);
    const std::wstring at = of_length(L"C:\\Sąrašai\\", long_path_from);
    const std::wstring share = of_length(L"\\\\serveris\\bendras\\", 300);
    struct Case {
        const char* name;
        std::wstring path;
        std::wstring expected;
    };
    const Case cases[] = {
        {"a short drive path stays as it is", L"C:\\Darbas\\sąrašas.xml",
         L"C:\\Darbas\\sąrašas.xml"},
        {"a short share path stays as it is", L"\\\\serveris\\bendras\\a.xml",
         L"\\\\serveris\\bendras\\a.xml"},
        {"a relative path is made absolute", L"poaplankis/a.xml", L"C:\\Darbas\\poaplankis\\a.xml"},
        {"one character below the limit gets no prefix", below, below},
        {"at the limit the prefix comes", at, L"\\\\?\\" + at},
        {"a long share path gets the UNC prefix", share, L"\\\\?\\UNC\\" + share.substr(2)},
        {"a long relative path is made absolute before the prefix", of_length(L"d\\", 300),
         L"\\\\?\\C:\\Darbas\\" + of_length(L"d\\", 300)},
        {"a path that has the prefix is left alone", L"\\\\?\\" + of_length(L"C:\\x/", 300),
         L"\\\\?\\" + of_length(L"C:\\x/", 300)},
        {"a device path is left alone", L"\\\\.\\COM1", L"\\\\.\\COM1"},
        {"a path that cannot be made absolute is passed on for the call to refuse", L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(long_path_form(c.path, made_absolute), c.expected) << c.name;
        // A short name the system gives back in the long form is shown without it again.
        if (!c.path.starts_with(L"\\\\?\\")) {
            EXPECT_EQ(without_long_prefix(c.expected), made_absolute(c.path)) << c.name;
        }
    }
}

}  // namespace
}  // namespace gpais
