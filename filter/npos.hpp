#pragma once
// "No such offset" for the filter's searches and look-ups. It is the value the standard
// library's own searches give, so an offset from std::string_view::find and one from ours mean
// the same when they are missing.

#include <cstddef>
#include <string_view>

namespace gpais {

inline constexpr std::size_t npos = std::string_view::npos;

}  // namespace gpais
