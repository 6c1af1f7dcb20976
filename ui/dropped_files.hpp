#pragma once
// What a drop of files from Explorer on the open dialog does to its fields. A name ending in
// ".log" or ".txt" is an error log, any other file a product list; a folder is neither, and a
// drop that holds one changes nothing, so the person is told and the fields keep their paths.

#include <optional>
#include <span>
#include <string>

namespace gpais::ui {

struct DroppedItem {
    std::string path;  // UTF-8, whole, as Windows hands it over
    bool folder;
};

struct DropResult {
    std::optional<std::string> product_list;  // the new text of "Senas xml:"
    std::optional<std::string> error_log;     // the new error log; it brings "GPAIS klaidas"
    bool folder_refused = false;
    friend bool operator==(const DropResult&, const DropResult&) = default;
};

// Two files, one of each kind, fill both fields; otherwise the first file fills the field of
// its kind. Nothing dropped, nothing changes.
[[nodiscard]] DropResult dropped_into_fields(std::span<const DroppedItem> items);

}  // namespace gpais::ui
