#pragma once
// Arithmetic modulo the prime 2^61 - 1, in which the closing-tag index hashes its tokens. The
// product has two ways: one 128-bit multiply where the compiler has it, four 32-bit partial
// products everywhere else. The second is always compiled, so that a build taking the first
// can still check that both give the same remainders.

#include <cstdint>

#include "filter/scan_paths.hpp"

namespace gpais::modular {

inline constexpr std::uint64_t modulus = (std::uint64_t{1} << 61) - 1;

// The remainder of any 64-bit value: 2^61 = 1 modulo the prime, so the bits above the 61st
// fold back onto the bottom.
[[nodiscard]] inline std::uint64_t reduce(std::uint64_t value) noexcept {
    value = (value & modulus) + (value >> 61);
    return value >= modulus ? value - modulus : value;
}

// a * b modulo the prime, for a and b below it, by four partial products (2^64 = 8 modulo the
// prime); every sum stays below 2^63.
[[nodiscard]] inline std::uint64_t multiply_by_halves(std::uint64_t a, std::uint64_t b) noexcept {
    const std::uint64_t a_high = a >> 32, a_low = a & 0xffffffffu;
    const std::uint64_t b_high = b >> 32, b_low = b & 0xffffffffu;
    const std::uint64_t high = a_high * b_high;
    const std::uint64_t middle = a_high * b_low + a_low * b_high;
    const std::uint64_t low = a_low * b_low;
    constexpr std::uint64_t low_29_bits = (std::uint64_t{1} << 29) - 1;
    return reduce((high << 3) + (middle >> 29) + ((middle & low_29_bits) << 32) + reduce(low));
}

#if GPAIS_WIDE_MULTIPLY
// The same, for a and b below the prime, from one 128-bit product (below 2^122).
[[nodiscard]] inline std::uint64_t multiply_wide(std::uint64_t a, std::uint64_t b) noexcept {
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return reduce(static_cast<std::uint64_t>(product & modulus) +
                  static_cast<std::uint64_t>(product >> 61));
}
#endif

[[nodiscard]] inline std::uint64_t multiply(std::uint64_t a, std::uint64_t b) noexcept {
#if GPAIS_WIDE_MULTIPLY
    return multiply_wide(a, b);
#else
    return multiply_by_halves(a, b);
#endif
}

}  // namespace gpais::modular
