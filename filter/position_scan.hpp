#pragma once
// Walks the positions directly under "<produktai", asks a test of each, cuts out those that
// fail in place and counts those that stay.
//
// A position ends just after the first "</" + its tag name + ">" from its "<". Where there is
// none, a start tag written as self-closing ("<baterija/>") is the position by itself, and one
// whose name runs on into a tab or a line break before its attributes ends at the first closing
// tag of the name before them. A position that none of these delimits (a list cut off in the
// middle of one) makes the whole list unusable: the scan says so instead of guessing. So does a
// list that ends before its closing tag, or in a comment or processing instruction that never
// ends: what GPAIS would reject as broken is refused here.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace gpais {

// A position test: true when the position (its bytes from "<" to just after its closing tag)
// stays. It is asked once for each position, in document order, and may note what it saw (the
// codes a position carried, the positions without a date). It must not change the document,
// whose bytes ahead are still to be scanned, nor keep the view after it returns: the scan moves
// kept bytes down over those it cuts, so the view may come to hold other bytes.
using PositionTest = std::function<bool(std::string_view position)>;

// Offset (from 0) of the first "<produktai" in the document, or nothing.
[[nodiscard]] std::optional<std::size_t> find_list_anchor(std::string_view document) noexcept;

// `anchor` is the offset (from 0) of "<produktai". Changes the document in place in one pass
// and returns the kept count, or nothing when a position cannot be delimited or the list is cut
// off before its closing tag; the document is then of no use and must not be written.
[[nodiscard]] std::optional<std::size_t> scan_positions(std::string& document, std::size_t anchor,
                                                        const PositionTest& test);

}  // namespace gpais
