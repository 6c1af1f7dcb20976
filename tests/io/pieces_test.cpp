#include "io/pieces.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace gpais::io {
namespace {

constexpr std::size_t MiB = std::size_t{1} << 20;

// A leaf of the system that records the size of every call and answers as a file system may:
// each call takes or gives at most `most` bytes, and the call numbered `fails_at` fails. It
// moves real bytes, so that a piece put in the wrong place shows in what arrives.
struct Leaf {
    std::size_t most;
    std::size_t fails_at = SIZE_MAX;
    std::vector<std::size_t> asked;
    std::string file;  // read from the front, or written at the end
    std::size_t read_at = 0;

    long long answer(std::size_t count) {
        asked.push_back(count);
        if (asked.size() == fails_at)
            return -1;
        return static_cast<long long>(count < most ? count : most);
    }
    long long read(char* into, std::size_t count) {
        const long long got = answer(count);
        if (got > 0) {
            std::memcpy(into, file.data() + read_at, static_cast<std::size_t>(got));
            read_at += static_cast<std::size_t>(got);
        }
        return got;
    }
    long long write(const char* from, std::size_t count) {
        const long long taken = answer(count);
        if (taken > 0)
            file.append(from, static_cast<std::size_t>(taken));
        return taken;
    }
};

// Bytes that differ from one offset to the next within any piece's length.
std::string numbered_bytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t at = 0; at < size; ++at)
        bytes[at] = static_cast<char>(at % 251);
    return bytes;
}

struct PieceCase {
    const char* name;
    std::size_t size;
    std::size_t most;  // the most a call answers
    std::size_t fails_at;
    std::vector<std::size_t> asked;  // the size of every call, in order
    bool done;
};

TEST(Pieces, NoCallOfAFortyMegabyteListIsLargerThanSixteenMebibytes) {
    const std::size_t list = 40 * MiB;
    const PieceCase cases[] = {
        {"a 40 MB list goes in three calls",
         list,
         SIZE_MAX,
         SIZE_MAX,
         {16 * MiB, 16 * MiB, 8 * MiB},
         true},
        {"a call that takes fewer bytes is followed by the rest",
         20 * MiB,
         12 * MiB,
         SIZE_MAX,
         {16 * MiB, 8 * MiB},
         true},
        {"the first failed call ends it", list, SIZE_MAX, 2, {16 * MiB, 16 * MiB}, false},
        {"nothing to move asks nothing", 0, SIZE_MAX, SIZE_MAX, {}, true},
    };
    for (const PieceCase& c : cases) {
        const std::string list = numbered_bytes(c.size);
        std::string buffer(c.size, '\0');
        Leaf reader{c.most, c.fails_at, {}, list};
        const auto got =
            read_in_pieces(buffer.data(), buffer.size(),
                           [&reader](char* into, std::size_t n) { return reader.read(into, n); });
        EXPECT_EQ(reader.asked, c.asked) << c.name << " (read)";
        EXPECT_EQ(got.has_value(), c.done) << c.name << " (read)";
        EXPECT_EQ(got.value_or(c.size), c.size) << c.name;
        if (c.done) {
            EXPECT_TRUE(buffer == list) << c.name << ": a byte read landed out of place";
        }

        Leaf writer{c.most, c.fails_at, {}, {}};
        const bool written = write_in_pieces(
            list, [&writer](const char* from, std::size_t n) { return writer.write(from, n); });
        EXPECT_EQ(writer.asked, c.asked) << c.name << " (write)";
        EXPECT_EQ(written, c.done) << c.name << " (write)";
        if (c.done) {
            EXPECT_TRUE(writer.file == list) << c.name << ": the bytes written are not the list's";
        }
    }
}

}  // namespace
}  // namespace gpais::io
