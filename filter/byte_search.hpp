#pragma once
// Substring search for the scan's hot paths. std::string_view::find looks for the first byte
// with memchr and compares at every hit; in a product list every needle starts with "<" and
// a "<" stands every dozen bytes, so it stops and compares all the time. Testing the needle's
// first two bytes and its last byte for sixteen start offsets at once stops only where a tag
// of the needle's length and first letter may begin, which in a product list is rare.

#include <bit>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "filter/scan_paths.hpp"
#include "filter/scan_work.hpp"

#if GPAIS_VECTOR_SCAN
#include <emmintrin.h>
#endif

namespace gpais {

namespace detail {

[[nodiscard]] inline std::size_t search_bytes(std::string_view text, std::string_view needle,
                                              std::size_t from) noexcept {
    const std::size_t size = text.size();
    const std::size_t length = needle.size();
    if (from > size || length > size - from)
        return std::string_view::npos;
#if GPAIS_VECTOR_SCAN
    if (length >= 2) {
        const char* const bytes = text.data();
        const auto load = [bytes](std::size_t at) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        };
        const __m128i first = _mm_set1_epi8(needle[0]);
        const __m128i second = _mm_set1_epi8(needle[1]);
        const __m128i last = _mm_set1_epi8(needle[length - 1]);
        // The loads cover [from, from + length + 15): whole blocks only, the last few start
        // offsets are left to the plain search.
        for (; from + length + 15 <= size; from += 16) {
            const __m128i candidates =
                _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(load(from), first),
                                            _mm_cmpeq_epi8(load(from + 1), second)),
                              _mm_cmpeq_epi8(load(from + length - 1), last));
            for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(candidates)); mask != 0;
                 mask &= mask - 1) {
                const std::size_t at = from + static_cast<std::size_t>(std::countr_zero(mask));
                // The first two bytes and the last are tested already.
                if (length <= 3 || std::memcmp(bytes + at + 2, needle.data() + 2, length - 3) == 0)
                    return at;
            }
        }
    }
#endif
    return text.find(needle, from);
}

}  // namespace detail

// Offset of the first `needle` at or after `from`, or npos: the same answer as
// text.find(needle, from).
[[nodiscard]] inline std::size_t find_bytes(std::string_view text, std::string_view needle,
                                            std::size_t from) noexcept {
    const std::size_t at = detail::search_bytes(text, needle, from);
    note_searched(from, at == std::string_view::npos ? text.size() : at + needle.size());
    return at;
}

}  // namespace gpais
