#pragma once
// Error-log mode: the product codes that a GPAIS error log names as not found, and the test
// that keeps a position whose code is among them.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "base/string_hash.hpp"

namespace gpais {

using CodeSet = std::unordered_set<std::string, StringHash, std::equal_to<>>;

// The code set from the bytes of an error log (reading the file is the caller's business).
[[nodiscard]] CodeSet build_code_set(std::string_view error_log);

// True when the position's code (its first <kodas> element) is in the set.
[[nodiscard]] bool TINKAKOD(std::string_view position, const CodeSet& codes);

}  // namespace gpais
