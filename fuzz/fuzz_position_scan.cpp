// Arbitrary bytes through the position scan with both position tests, and through the whole run
// in both modes. The input is an error log and a document, split at the first NUL byte (no NUL:
// the whole input is the document).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "filter/code_set.hpp"
#include "filter/date_match.hpp"
#include "filter/decoded_error_log.hpp"
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
class MemoryPort : public gpais::UserPort, public gpais::MachinePort {
  public:
    MemoryPort(std::string list, std::string log) : list_(std::move(list)), log_(std::move(log)) {}
    bool wrote = false;
    std::vector<std::string> messages;

    void show_message(std::string_view text, std::string_view, gpais::Icon) override {
        messages.emplace_back(text);
    }
    std::string choose_save_file(const gpais::SaveRequest&) override { return "out.xml"; }
    std::string current_folder() override { return "C:\\"; }
    gpais::LocalTime local_time() override { return {2026, 12, 9, 10, 0, 0, 0}; }
    gpais::FileResult<std::string> read_file(std::string_view path) override {
        return path == "list.xml" ? list_ : path == "errors.log" ? log_ : std::string();
    }
    gpais::FileResult<void> write_file(std::string_view, std::string_view) override {
        wrote = true;
        return {};
    }

  private:
    std::string list_;
    std::string log_;
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

// The number a second line under the run's message gives after `prefix`, or 0 without one.
std::size_t line_count(const std::vector<std::string>& shown, std::string_view prefix) {
    FUZZ_CHECK(shown.size() == 1);
    const std::string_view text = shown[0];
    const std::size_t line = text.find('\n');
    if (line == std::string_view::npos)
        return 0;
    const std::string_view second = text.substr(line + 1);
    FUZZ_CHECK(second.starts_with(prefix) && second.ends_with(")"));
    FUZZ_CHECK(second.find('\n') == std::string_view::npos);
    std::size_t count = 0;
    for (std::size_t at = prefix.size(); second[at] != ' '; ++at) {
        FUZZ_CHECK(second[at] >= '0' && second[at] <= '9');
        count = count * 10 + static_cast<std::size_t>(second[at] - '0');
    }
    FUZZ_CHECK(count > 0);
    return count;
}

// Both modes of the whole run: a list the scan refuses is refused, told and not written; of any
// other list, the count on the second line is a plain count over the literal scan's positions.
// `codes` is the set the run makes of `log`.
void run_and_count(const std::string& input, std::string_view log, const gpais::CodeSet& codes,
                   bool refused) {
    const gpais::Date first = gpais::Date::from_numbers(1900, 1, 1);
    const gpais::Date last = gpais::Date::from_numbers(2100, 1, 1);
    const std::vector<std::string> bad = {std::string(gpais::messages::bad_product_list.text)};

    MemoryPort period_port(input, std::string(log));
    const gpais::RunOutcome period =
        gpais::ATRINKPOZICIJAS("list.xml", first, last, period_port, period_port);
    MemoryPort errors_port(input, std::string(log));
    const gpais::RunOutcome errors =
        gpais::ATRINKPOZICIJAS("list.xml", "errors.log", errors_port, errors_port);
    if (refused) {
        FUZZ_CHECK(period == gpais::RunOutcome::bad_product_list && period_port.messages == bad);
        FUZZ_CHECK(!period_port.wrote && !errors_port.wrote);
        FUZZ_CHECK(codes.empty() ? errors == gpais::RunOutcome::no_codes
                                 : errors == gpais::RunOutcome::bad_product_list &&
                                       errors_port.messages == bad);
        return;
    }
    if (input.size() > literal_limit)
        return;

    std::size_t undated = 0;
    std::string literal = input;
    (void)gpais::testing::reference_scan(
        literal, *gpais::find_list_anchor(input), [&](std::string_view position) {
            undated += gpais::own_supply_start(position).empty() ? 1 : 0;
            return gpais::TINKADAT(position, first, last);
        });
    FUZZ_CHECK(line_count(period_port.messages, "Pozicijų be tinkamos tiekimo pradžios datos: ") ==
               undated);

    if (codes.empty()) {
        FUZZ_CHECK(errors == gpais::RunOutcome::no_codes);
        return;
    }
    std::set<std::string, std::less<>> carried;
    literal = input;
    (void)gpais::testing::reference_scan(literal, *gpais::find_list_anchor(input),
                                         [&](std::string_view position) {
                                             const bool stays = gpais::TINKAKOD(position, codes);
                                             if (stays)
                                                 carried.emplace(gpais::position_code(position));
                                             return stays;
                                         });
    std::size_t lacking = 0;
    for (const std::string_view code : codes.in_log_order())
        lacking += !code.empty() && !carried.contains(code) ? 1 : 0;
    FUZZ_CHECK(line_count(errors_port.messages, "Sąraše nėra klaidų faile nurodytų kodų: ") ==
               lacking);
}

// The log as the run reads it: a byte-order mark is never part of the text, and UTF-16 gives
// at most three bytes for each two.
void check_log_text(std::string_view bytes) {
    const std::string text = gpais::decoded_error_log(std::string(bytes));
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        FUZZ_CHECK(text.size() <= (bytes.size() - 2) / 2 * 3);
    } else if (bytes.starts_with("\xEF\xBB\xBF")) {
        FUZZ_CHECK(text == bytes.substr(3));
    } else {
        FUZZ_CHECK(text == bytes);
    }
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

    check_log_text(bytes);
    const gpais::CodeSet codes = gpais::build_code_set(gpais::decoded_error_log(std::string(log)));
    scan_and_check(input, anchor,
                   [&](std::string_view position) { return gpais::TINKAKOD(position, codes); });

    const gpais::Date first = gpais::Date::from_numbers(2000, 1, 1);
    const gpais::Date last = gpais::Date::from_numbers(2030, 12, 31);
    scan_and_check(input, anchor, [&](std::string_view position) {
        return gpais::TINKADAT(position, first, last);
    });

    std::string probe = input;
    const bool refused =
        !gpais::scan_positions(probe, anchor, [](std::string_view) { return true; });
    run_and_count(input, log, codes, refused);
    return 0;
}
