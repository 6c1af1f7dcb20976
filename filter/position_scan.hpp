#pragma once
// Walks the positions directly under "<produktai", asks a test of each, cuts out those that
// fail in place and counts those that stay.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace gpais {

// A position test: true when the position (its bytes from "<" to just after its closing tag)
// stays. It must have no side effects.
using PositionTest = std::function<bool(std::string_view position)>;

// Offset (from 0) of the first "<produktai" in the document, or nothing.
[[nodiscard]] std::optional<std::size_t> find_list_anchor(std::string_view document) noexcept;

// `anchor` is the offset (from 0) of "<produktai". Changes the document in place in one pass
// and returns the kept count.
std::size_t scan_positions(std::string& document, std::size_t anchor, const PositionTest& test);

}  // namespace gpais
