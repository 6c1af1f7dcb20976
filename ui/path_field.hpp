#pragma once
// What a path field's text means as a path. Explorer's "Copy as path" puts double quotes around
// the path; pasted so, the quotes are no part of the file's name.

#include <string>
#include <string_view>

namespace gpais::ui {

// The most characters a person can type or paste into a path field.
inline constexpr int path_field_limit = 32767;

// The text less one pair of double quotes around the whole of it; any other text as it is.
[[nodiscard]] std::string path_in_field(std::string_view text);

}  // namespace gpais::ui
