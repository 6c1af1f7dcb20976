#pragma once
// A code set's codes as owned texts in the order the log first names them, to compare with a
// table's expected codes.

#include <string>
#include <string_view>
#include <vector>

#include "filter/code_set.hpp"

namespace gpais::testing {

inline std::vector<std::string> in_log_order(const CodeSet& codes) {
    const std::vector<std::string_view> order = codes.in_log_order();
    return {order.begin(), order.end()};
}

}  // namespace gpais::testing
