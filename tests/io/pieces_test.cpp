#include "io/pieces.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gpais::io {
namespace {

constexpr std::size_t MiB = std::size_t{1} << 20;

// A leaf of the system that records the size of every call and answers as a file system may:
// each call takes or gives at most `most` bytes, and the call numbered `fails_at` fails.
struct Leaf {
    std::size_t most;
    std::size_t fails_at = SIZE_MAX;
    std::vector<std::size_t> asked;
    long long answer(std::size_t count) {
        asked.push_back(count);
        if (asked.size() == fails_at)
            return -1;
        return static_cast<long long>(count < most ? count : most);
    }
};

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
        std::string buffer(c.size, 'x');
        Leaf reader{c.most, c.fails_at, {}};
        const auto got =
            read_in_pieces(buffer.data(), buffer.size(),
                           [&reader](char*, std::size_t n) { return reader.answer(n); });
        EXPECT_EQ(reader.asked, c.asked) << c.name << " (read)";
        EXPECT_EQ(got.has_value(), c.done) << c.name << " (read)";
        EXPECT_EQ(got.value_or(c.size), c.size) << c.name;

        Leaf writer{c.most, c.fails_at, {}};
        const bool written = write_in_pieces(
            buffer, [&writer](const char*, std::size_t n) { return writer.answer(n); });
        EXPECT_EQ(writer.asked, c.asked) << c.name << " (write)";
        EXPECT_EQ(written, c.done) << c.name << " (write)";
    }
}

}  // namespace
}  // namespace gpais::io
