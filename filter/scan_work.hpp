#pragma once
// What the scan passes over where it could pass too much: the bytes find_bytes examines (every
// search for a closing tag, and the index's search for "</") and the bytes the in-place cutter
// moves. Both must stay within a small multiple of the list's size whatever the list holds, or a
// list of many positions takes hours. The test program that checks this builds the scan with
// GPAIS_COUNT_SCAN_WORK and reads the counts; everywhere else they are empty inline functions
// that the compiler drops, so the program users get carries no counting.

#include <cstddef>

namespace gpais {

#ifdef GPAIS_COUNT_SCAN_WORK
struct ScanWork {
    std::size_t searched = 0;  // bytes from where a search began to the end of its match or text
    std::size_t moved = 0;     // bytes moved down over cut ones
};
inline ScanWork scan_work;

inline void note_searched(std::size_t from, std::size_t until) noexcept {
    scan_work.searched += until > from ? until - from : 0;
}
inline void note_moved(std::size_t bytes) noexcept {
    scan_work.moved += bytes;
}
#else
inline void note_searched(std::size_t, std::size_t) noexcept {}
inline void note_moved(std::size_t) noexcept {}
#endif

}  // namespace gpais
