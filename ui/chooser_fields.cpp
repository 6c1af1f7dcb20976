#include "ui/chooser_fields.hpp"

#include <algorithm>

namespace gpais::ui {

namespace {
bool usable(const FileType& type) noexcept {
    return !type.description.empty() && !type.pattern.empty();
}
}  // namespace

ChooserSettings chooser_settings(const ChooserText& text, std::string_view extension) {
    return ChooserSettings{std::string(extension), {file_type_of(text)}, 1};
}

ChooserSettings list_save_settings() {
    return chooser_settings(messages::list_chooser, ".xml");
}

std::size_t usable_filter_count(const std::vector<FileType>& file_types) noexcept {
    return static_cast<std::size_t>(std::count_if(file_types.begin(), file_types.end(), usable));
}

std::string filter_string(const std::vector<FileType>& file_types) {
    std::string result;
    for (const FileType& type : file_types) {
        if (!usable(type))
            continue;
        result.append(type.description);
        result.push_back('\0');
        result.append(type.pattern);
        result.push_back('\0');
    }
    if (!result.empty())
        result.push_back('\0');
    return result;
}

unsigned limit_filter_index(unsigned index, std::size_t usable_pairs) noexcept {
    if (usable_pairs == 0)
        return 0;
    if (index == 0)
        return 1;
    return index > usable_pairs ? static_cast<unsigned>(usable_pairs) : index;
}

std::string_view extension_without_dot(std::string_view extension) noexcept {
    if (!extension.empty() && extension.front() == '.')
        extension.remove_prefix(1);
    return extension;
}

std::string_view first_path(std::string_view result) noexcept {
    return result.substr(0, result.find('\0'));
}

}  // namespace gpais::ui
