#pragma once
// Error-log mode: the product codes that a GPAIS error log names as not found, and the test
// that keeps a position whose code is among them.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace gpais {

struct CodeHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view code) const noexcept {
        return std::hash<std::string_view>{}(code);
    }
};
using CodeSet = std::unordered_set<std::string, CodeHash, std::equal_to<>>;

// The code set from the bytes of an error log (reading the file is the caller's business).
[[nodiscard]] CodeSet build_code_set(std::string_view error_log);

// True when the position's code (its first <kodas> element) is in the set.
[[nodiscard]] bool TINKAKOD(std::string_view position, const CodeSet& codes);

}  // namespace gpais
