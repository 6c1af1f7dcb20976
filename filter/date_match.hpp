#pragma once
// Supply-start period mode: the position's own pradetaTiektiNuo date, not a packaging date,
// decides whether it stays.

#include <string_view>

#include "filter/date.hpp"
#include "filter/shown_code.hpp"

namespace gpais {

// Reads up to the first 20 bytes of `value` as year, month, day in that order, with the
// 1950 date epoch; an impossible date, or a field too large for any date, gives the empty date.
[[nodiscard]] Date read_date_field(std::string_view value) noexcept;

// The position's own supply-start date, or the empty date when it has none usable.
[[nodiscard]] Date own_supply_start(std::string_view position) noexcept;

// True when the position's own supply-start date lies in [first, last].
[[nodiscard]] bool TINKADAT(std::string_view position, Date first, Date last) noexcept;

// The same test, also noting in `undated` the code of a position that has no usable date of its
// own: no period keeps it, and the person must hear of it rather than miss its report.
[[nodiscard]] bool TINKADAT(std::string_view position, Date first, Date last, ShownCodes& undated);

}  // namespace gpais
