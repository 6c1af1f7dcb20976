#include "base/text_convert.hpp"

#include <windows.h>

#include <limits>
#include <stdexcept>

namespace gpais {

namespace {
int checked_length(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw std::length_error("text too long for Windows");
    return static_cast<int>(size);
}
}  // namespace

std::wstring to_wide(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int length = checked_length(utf8.size());
    const int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, result.data(), needed);
    return result;
}

std::string to_utf8(std::wstring_view utf16) {
    if (utf16.empty())
        return {};
    const int length = checked_length(utf16.size());
    const int needed =
        ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, result.data(), needed, nullptr,
                          nullptr);
    return result;
}

}  // namespace gpais
