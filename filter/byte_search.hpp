#pragma once
// Substring search for the scan's hot paths. std::string_view::find looks for the first byte
// with memchr and compares at every hit; in a product list every needle starts with "<" and
// a "<" stands every dozen bytes, so it stops and compares all the time. glibc's memmem skips
// ahead by a table of byte pairs and stops only where the needle may really begin.

#include <cstddef>
#include <string_view>

#if defined(__GLIBC__)
#include <string.h>
#endif

namespace gpais {

// Offset of the first `needle` at or after `from`, or npos; the same answer as
// text.find(needle, from), for a needle that is not empty.
[[nodiscard]] inline std::size_t find_bytes(std::string_view text, std::string_view needle,
                                            std::size_t from) noexcept {
#if defined(__GLIBC__)
    if (from > text.size() || needle.size() > text.size() - from)
        return std::string_view::npos;
    if (needle.empty())
        return from;
    const void* hit =
        ::memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    return hit == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
#else
    return text.find(needle, from);
#endif
}

}  // namespace gpais
