#pragma once
// The one place that chooses how the scan does its work on this target. Each choice has a
// portable way that every target can build, and the GPAIS_PORTABLE_SCAN build option forces
// the portable ways on a machine that could take the fast ones, so that the tests and the
// fuzzers run the code a target without them would run.
//
// GPAIS_VECTOR_SCAN: byte searches test sixteen offsets at once with SSE2 instead of stopping
// at every candidate byte.
// GPAIS_WIDE_MULTIPLY: the closing-tag index multiplies its hashes with one 128-bit product
// instead of four 32-bit partial products.

#if defined(__SSE2__) && !defined(GPAIS_PORTABLE_SCAN)
#define GPAIS_VECTOR_SCAN 1
#else
#define GPAIS_VECTOR_SCAN 0
#endif

#if defined(__SIZEOF_INT128__) && !defined(GPAIS_PORTABLE_SCAN)
#define GPAIS_WIDE_MULTIPLY 1
#else
#define GPAIS_WIDE_MULTIPLY 0
#endif
