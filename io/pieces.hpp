#pragma once
// Whole files pass through the system in calls of bounded size. A network redirector (an SMB
// share, a NAS box, WebDAV) may refuse one call of tens of megabytes with "insufficient system
// resources", where calls of a few megabytes each go through.

#include <cstddef>
#include <optional>
#include <string_view>

namespace gpais::io {

inline constexpr std::size_t largest_piece = std::size_t{16} << 20;

// Reads into `into` until `size` bytes are in or the file ends, asking `read_some(at, count)`
// for at most largest_piece bytes a call; it answers the count read, 0 at the end of the file or
// a negative number on a failure. The count read, or nothing at the first failed call.
template <typename ReadSome>
[[nodiscard]] std::optional<std::size_t> read_in_pieces(char* into, std::size_t size,
                                                        ReadSome read_some) {
    std::size_t done = 0;
    while (done < size) {
        const std::size_t want = size - done < largest_piece ? size - done : largest_piece;
        const long long got = read_some(into + done, want);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

// Offers every byte to `write_some(at, count)`, at most largest_piece a call; it answers the
// count taken (a call may take fewer bytes than offered, as a disk filling up does before it
// refuses) or a negative number on a failure. False at the first failed call.
template <typename WriteSome>
[[nodiscard]] bool write_in_pieces(std::string_view bytes, WriteSome write_some) {
    while (!bytes.empty()) {
        const std::size_t want = bytes.size() < largest_piece ? bytes.size() : largest_piece;
        const long long done = write_some(bytes.data(), want);
        if (done <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

}  // namespace gpais::io
