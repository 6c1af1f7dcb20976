#include "base/paths.hpp"

#include "base/utf8.hpp"

namespace gpais {

namespace {

template <typename Char>
PathParts<Char> split(std::basic_string_view<Char> path, char separator) noexcept {
    const auto is_separator = [separator](Char c) {
        return c == static_cast<Char>(separator) || c == static_cast<Char>('/');
    };
    std::size_t end = path.size();
    while (end > 0 && !is_separator(path[end - 1]))
        --end;
    if (end == 0 && separator == '\\' && path.size() >= 2 && path[1] == static_cast<Char>(':'))
        end = 2;
    return {path.substr(0, end), path.substr(end)};
}

}  // namespace

PathParts<char> split_path(std::string_view path, char separator) noexcept {
    return split(path, separator);
}

PathParts<wchar_t> split_path(std::wstring_view path, char separator) noexcept {
    return split(path, separator);
}

std::string join_folder(std::string_view folder, std::string_view name, char separator) {
    std::string joined(folder);
    const bool bare_drive = separator == '\\' && folder.ends_with(':');
    if (!folder.empty() && !bare_drive && folder.back() != separator && folder.back() != '/')
        joined += separator;
    return joined.append(name);
}

std::string chooser_start_folder(std::string_view folder) {
    const std::size_t with_nul = utf8::utf16_length(folder) + 1;
    if (with_nul > chooser_folder_room)
        return {};
    if (with_nul + 1 > chooser_folder_room)
        return std::string(folder);
    return join_folder(folder, {}, '\\');
}

}  // namespace gpais
