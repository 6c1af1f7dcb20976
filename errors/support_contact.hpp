#pragma once
// Where users send a crash report, as the crash message names it. The dialog's contact text names
// the same address, written out in ui/resources/gpais-filtras.rc, which cannot read a C++
// constant: a change here goes there too (tests/ui/win32/resources_test.cpp checks that text).

#include <string_view>

namespace gpais {

inline constexpr std::string_view support_email = "support@gpais-filtras.lt";

}  // namespace gpais
