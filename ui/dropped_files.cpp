#include "ui/dropped_files.hpp"

#include <algorithm>
#include <array>
#include <string_view>

namespace gpais::ui {

namespace {

// Only ASCII letters are compared, so no locale is asked: ".LOG" and ".Txt" are the same names
// to Windows.
bool ends_with_ignoring_case(std::string_view text, std::string_view ending) noexcept {
    if (text.size() < ending.size())
        return false;
    const std::string_view tail = text.substr(text.size() - ending.size());
    return std::equal(tail.begin(), tail.end(), ending.begin(), [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

// An error log's name ends in ".log" or ".txt", in any case.
bool names_error_log(std::string_view path) noexcept {
    constexpr std::array<std::string_view, 2> log_endings = {".log", ".txt"};
    return std::any_of(log_endings.begin(), log_endings.end(), [&](std::string_view ending) {
        return ends_with_ignoring_case(path, ending);
    });
}

}  // namespace

DropResult dropped_into_fields(std::span<const DroppedItem> items) {
    DropResult result;
    if (std::any_of(items.begin(), items.end(),
                    [](const DroppedItem& item) { return item.folder; })) {
        result.folder_refused = true;
        return result;
    }
    if (items.empty())
        return result;
    const auto fill = [&](const DroppedItem& item) {
        (names_error_log(item.path) ? result.error_log : result.product_list) = item.path;
    };
    fill(items[0]);
    if (items.size() == 2 && names_error_log(items[0].path) != names_error_log(items[1].path))
        fill(items[1]);
    return result;
}

}  // namespace gpais::ui
