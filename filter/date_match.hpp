#pragma once
// Supply-start period mode: the position's own pradetaTiektiNuo date, not a packaging date,
// decides whether it stays.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "filter/date.hpp"

namespace gpais {

// Reads up to the first 20 bytes of `value` as year, month, day in that order, with the
// 1950 date epoch; an impossible date, or a field too large for any date, gives the empty date.
[[nodiscard]] Date read_date_field(std::string_view value) noexcept;

// The position's own supply-start date, or the empty date when it has none usable.
[[nodiscard]] Date own_supply_start(std::string_view position) noexcept;

// True when the position's own supply-start date lies in [first, last].
[[nodiscard]] bool TINKADAT(std::string_view position, Date first, Date last) noexcept;

// The positions a scan met that have no usable supply-start date of their own: no period keeps
// them, and the person must hear of them rather than miss their report.
struct UndatedPositions {
    std::size_t count = 0;
    // The codes of the first few (as many as a line names), as that line shows them.
    std::vector<std::string> first_codes;
};

// The same test, also noting a position that has no usable date of its own.
[[nodiscard]] bool TINKADAT(std::string_view position, Date first, Date last,
                            UndatedPositions& undated);

}  // namespace gpais
