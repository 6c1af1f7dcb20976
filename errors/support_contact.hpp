#pragma once
// Where users send a crash report; shown by the crash message and the dialog's contact text.

#include <string_view>

namespace gpais {

inline constexpr std::string_view support_email = "support@gpais-filtras.lt";

}  // namespace gpais
