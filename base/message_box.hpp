#pragma once
// What a message box of either program shows besides its text: the caption over it and the icon
// beside it. Kept below everything, so that failure reporting shows its box without linking the
// filter, whose messages carry the same captions and icons.

#include <string_view>

namespace gpais {

// The values are the message box's own icon flags, so the Windows program passes them on as
// they are.
enum class Icon : unsigned { error = 16, warning = 48, information = 64 };

inline constexpr std::string_view caption_error = "Klaida";
inline constexpr std::string_view caption_information = "Informacija";
inline constexpr std::string_view caption_notice = "Pranešimas";

}  // namespace gpais
