// Arbitrary bytes through the position scan with both position tests. The input is an error log
// and a document, split at the first NUL byte (no NUL: the whole input is the document).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "filter/code_set.hpp"
#include "filter/date_match.hpp"
#include "filter/position_scan.hpp"
#include "fuzz/fuzz_check.hpp"

namespace {

struct Visit {
    std::size_t offset, length;
    bool kept;
};

// Runs the scan with `verdict`, recording where every tested position lay in the input, and
// checks that the result is the input less exactly the rejected positions.
template <typename Verdict>
void scan_and_check(const std::string& input, std::size_t anchor, Verdict verdict) {
    std::string document = input;
    const char* const base = document.data();
    std::vector<Visit> visits;
    const std::size_t kept =
        gpais::scan_positions(document, anchor, [&](std::string_view position) {
            // Nothing before the read point is ever moved over what is still to be read, so the
            // position lies where it lay in the input.
            const auto offset = static_cast<std::size_t>(position.data() - base);
            FUZZ_CHECK(offset <= input.size() && position.size() <= input.size() - offset);
            FUZZ_CHECK(std::string_view(input).substr(offset, position.size()) == position);
            const bool stays = verdict(position);
            visits.push_back({offset, position.size(), stays});
            return stays;
        });

    std::size_t passed = 0;
    std::string expected;
    std::size_t copied_to = 0;
    std::size_t previous_end = anchor + 10;
    for (const Visit& visit : visits) {
        // Forward, each once, never before the list, never overlapping.
        FUZZ_CHECK(visit.offset >= previous_end);
        FUZZ_CHECK(visit.length >= 4);
        FUZZ_CHECK(input[visit.offset] == '<' && input[visit.offset + visit.length - 1] == '>');
        previous_end = visit.offset + visit.length;
        if (visit.kept) {
            ++passed;
        } else {
            expected.append(input, copied_to, visit.offset - copied_to);
            copied_to = previous_end;
        }
    }
    expected.append(input, copied_to, std::string::npos);
    FUZZ_CHECK(kept == passed);
    FUZZ_CHECK(kept <= visits.size());
    FUZZ_CHECK(document == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    const std::string_view log =
        split == std::string_view::npos ? std::string_view{} : bytes.substr(0, split);
    std::string input(split == std::string_view::npos ? bytes : bytes.substr(split + 1));
    if (!gpais::find_list_anchor(input))
        input.insert(0, "<produktai>");
    const std::size_t anchor = *gpais::find_list_anchor(input);

    const gpais::CodeSet codes = gpais::build_code_set(log);
    scan_and_check(input, anchor,
                   [&](std::string_view position) { return gpais::TINKAKOD(position, codes); });

    const gpais::Date first = gpais::Date::from_numbers(2000, 1, 1);
    const gpais::Date last = gpais::Date::from_numbers(2030, 12, 31);
    scan_and_check(input, anchor, [&](std::string_view position) {
        return gpais::TINKADAT(position, first, last);
    });
    return 0;
}
