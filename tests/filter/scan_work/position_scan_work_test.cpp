// The scan stays linear on the lists that would make it quadratic, measured by what it passes
// over rather than by a clock, so that a busy machine cannot fail a correct change: this program
// builds the scan with GPAIS_COUNT_SCAN_WORK (filter/scan_work.hpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "filter/position_scan.hpp"
#include "filter/scan_work.hpp"

namespace gpais {
namespace {

// What one scan that keeps every position, or cuts every one, passes over: the bytes its
// searches examine and the bytes it moves down.
std::size_t scan_work_of(std::string& document, bool keep, std::optional<std::size_t>& kept) {
    scan_work = {};
    kept = scan_positions(document, *find_list_anchor(document),
                          [keep](std::string_view) { return keep; });
    return scan_work.searched + scan_work.moved;
}

std::string large_list(std::size_t positions, const std::string& position) {
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<produktai>\r\n";
    doc.reserve(doc.size() + positions * (position.size() + 4) + 16);
    for (std::size_t n = 0; n < positions; ++n)
        doc.append("  ").append(position).append("\r\n");
    return doc + "</produktai>\r\n";
}

// Each kept byte is moved once at most, however many positions are cut around it.
TEST(ScanPositionsSpeed, CuttingEveryPositionCostsAboutAsMuchAsKeepingThem) {
    const std::string doc =
        large_list(100'000,
                   "<produktas><kodas>4770001234567</kodas><pavadinimas>Sultys 1 l</pavadinimas>"
                   "<pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo></produktas>");
    std::optional<std::size_t> kept_all, kept_none;
    std::string copy = doc;
    const std::size_t keep_work = scan_work_of(copy, true, kept_all);
    std::string result = doc;
    const std::size_t cut_work = scan_work_of(result, false, kept_none);
    EXPECT_EQ(kept_all, 100'000u);
    EXPECT_EQ(kept_none, 0u);
    EXPECT_EQ(std::count(result.begin(), result.end(), '<'), 3);
    EXPECT_LE(cut_work, 3 * keep_work) << "cut " << cut_work << " bytes, kept " << keep_work;
}

std::string list_of(std::size_t positions,
                    const std::function<std::string(std::size_t)>& position) {
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<produktai>\r\n";
    for (std::size_t n = 0; n < positions; ++n)
        doc.append("  ").append(position(n)).append("\r\n");
    return doc + "</produktai>\r\n";
}

TEST(ScanPositionsSpeed, DistinctSelfClosingPositionsDoNotMakeTheScanQuadratic) {
    // Each self-closing position has a name of its own, so no closing tag found missing once
    // can be remembered: only an index of the closing tags keeps this linear.
    const auto self_closing = [](std::size_t positions) {
        return list_of(positions, [](std::size_t n) {
            return "<item\tid=\"" + std::to_string(n) + "\"/><p>1</p>";
        });
    };
    std::optional<std::size_t> kept;
    std::string result = self_closing(50'000);
    const std::size_t size = result.size();
    const std::size_t work = scan_work_of(result, false, kept);
    EXPECT_EQ(kept, 0u);
    EXPECT_EQ(result, list_of(50'000, [](std::size_t) { return std::string(); }));
    // A search to the end of the list for each would pass it thousands of times; the first
    // closing tag found missing costs one pass to the end and the index one more.
    EXPECT_LE(work, 3 * size) << work << " bytes for a list of " << size;
    // Twice the positions, twice the work: a quadratic scan does four times as much.
    std::string doubled = self_closing(100'000);
    const std::size_t doubled_work = scan_work_of(doubled, false, kept);
    EXPECT_LE(doubled_work, 2 * work + work / 4)
        << "100,000 positions " << doubled_work << " bytes, 50,000 " << work;
}

}  // namespace
}  // namespace gpais
