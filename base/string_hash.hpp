#pragma once
// A hash that takes any string-like key as it is, so a set of std::string is searched with a
// std::string_view without building a string per lookup (with std::equal_to<>).

#include <cstddef>
#include <functional>
#include <string_view>

namespace gpais {

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        return std::hash<std::string_view>{}(text);
    }
};

}  // namespace gpais
