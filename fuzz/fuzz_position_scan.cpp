// Arbitrary bytes through the position scan with both position tests. The input is an error log
// and a document, split at the first NUL byte (no NUL: the whole input is the document).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "filter/code_set.hpp"
#include "filter/date_match.hpp"
#include "filter/filter_run.hpp"
#include "filter/messages.hpp"
#include "filter/position_scan.hpp"
#include "fuzz/fuzz_check.hpp"
#include "tests/support/literal_scan.hpp"

namespace {

// Inputs up to this size are also run through the literal scan, which searches to the end of
// the document for every position; larger ones (the seeds that would show a scan gone
// quadratic) are checked for their time and their shape only.
constexpr std::size_t literal_limit = 64 * 1024;

struct Visit {
    std::size_t offset, length;
    bool kept;
};

// Answers a filter run from memory and remembers whether it wrote anything.
class MemoryPort : public gpais::UserPort {
  public:
    explicit MemoryPort(std::string list) : list_(std::move(list)) {}
    bool wrote = false;
    std::vector<std::string> messages;

    void show_message(std::string_view text, std::string_view, gpais::Icon) override {
        messages.emplace_back(text);
    }
    std::string choose_save_file(const gpais::SaveRequest&) override { return "out.xml"; }
    std::string current_folder() override { return "C:\\"; }
    gpais::LocalTime local_now() override { return {2026, 12, 9, 10, 0, 0, 0}; }
    gpais::ReadResult read_file(std::string_view path) override {
        return path == "list.xml" ? list_ : std::string();
    }
    gpais::WriteResult write_file(std::string_view, std::string_view) override {
        wrote = true;
        return {};
    }

  private:
    std::string list_;
};

// Runs the scan with `verdict`, recording where every tested position lay in the input, and
// checks that the result is the input less exactly the rejected positions, each delimited by
// the rules, and that a refused list is what the literal scan refuses too.
template <typename Verdict>
void scan_and_check(const std::string& input, std::size_t anchor, Verdict verdict) {
    std::string document = input;
    const char* const base = document.data();
    std::vector<Visit> visits;
    const std::optional<std::size_t> kept =
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
    FUZZ_CHECK(document == expected);
    if (kept) {
        FUZZ_CHECK(*kept == passed);
        FUZZ_CHECK(*kept <= visits.size());
    }

    if (input.size() <= literal_limit) {
        std::string literal = input;
        std::vector<Visit> literal_visits;
        const std::optional<std::size_t> literal_kept =
            gpais::testing::reference_scan(literal, anchor, [&](std::string_view position) {
                const bool stays = verdict(position);
                literal_visits.push_back({0, position.size(), stays});
                return stays;
            });
        FUZZ_CHECK(literal_kept == kept);
        FUZZ_CHECK(literal_visits.size() == visits.size());
        for (std::size_t at = 0; at < visits.size(); ++at) {
            FUZZ_CHECK(literal_visits[at].length == visits[at].length);
            FUZZ_CHECK(literal_visits[at].kept == visits[at].kept);
        }
    }
}

// A list the scan refuses is refused by the whole run: told, and nothing written.
void run_refused(const std::string& input) {
    MemoryPort port(input);
    const gpais::RunOutcome outcome =
        gpais::ATRINKPOZICIJAS("list.xml", gpais::Date::from_numbers(1900, 1, 1),
                               gpais::Date::from_numbers(2100, 1, 1), port);
    FUZZ_CHECK(outcome == gpais::RunOutcome::bad_product_list);
    FUZZ_CHECK(!port.wrote);
    FUZZ_CHECK(port.messages ==
               std::vector<std::string>{std::string(gpais::messages::bad_product_list.text)});
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

    std::string probe = input;
    if (!gpais::scan_positions(probe, anchor, [](std::string_view) { return true; }))
        run_refused(input);
    return 0;
}
