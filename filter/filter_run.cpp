#include "filter/filter_run.hpp"

#include <optional>
#include <string>
#include <vector>

#include "base/blank.hpp"
#include "filter/blank_lines.hpp"
#include "filter/code_set.hpp"
#include "filter/date_match.hpp"
#include "filter/decoded_error_log.hpp"
#include "filter/file_cause_text.hpp"
#include "filter/messages.hpp"
#include "filter/output_name.hpp"
#include "filter/position_scan.hpp"
#include "filter/shown_code.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace {

// What the person is told of an outcome: `line` is the second line (a read's cause, the codes
// missing, the positions without a date, a write's cause), `kept` the count of a written file
// and `path` where a write failed. Every message of a run is made here, so the Windows program,
// the command line and the tests cannot come to say different things of the same end.
RunOutcome tell(UserPort& person, RunOutcome outcome, std::string_view line = {},
                std::size_t kept = 0, std::string_view path = {}) {
    const auto shown = [&person, line](const Message& message) {
        const ComposedMessage full =
            line.empty() ? ComposedMessage{std::string(message.text), message.caption, message.icon}
                         : messages::with_line(message, line);
        person.show_message(full.text, full.caption, full.icon);
    };
    switch (outcome) {
        case RunOutcome::written:
            shown(messages::file_written(kept).view());
            break;
        case RunOutcome::cancelled:
            // Reporting a count after a cancelled save would tell the person a file exists that
            // does not, so a cancel ends the run quietly.
            break;
        case RunOutcome::write_failed: {
            const ComposedMessage failed = messages::file_not_written(path, line);
            person.show_message(failed.text, failed.caption, failed.icon);
            break;
        }
        case RunOutcome::bad_product_list:
            shown(messages::bad_product_list);
            break;
        case RunOutcome::no_codes:
            shown(messages::no_codes);
            break;
        case RunOutcome::nothing_kept:
            shown(messages::nothing_kept);
            break;
    }
    return outcome;
}

// Where the list starts in the run's document, or nothing when the file will not do; `cause`
// then says why if the file could not be read at all (a file that could not be read is not one
// with bad content).
struct ListStart {
    std::optional<std::size_t> anchor;
    std::string cause;
};

// Reads the product list into the run's document and finds its list.
ListStart read_product_list(std::string_view path, std::string& document, MachinePort& machine) {
    FileResult<std::string> read = machine.read_file(path);
    if (!read.ok())
        return {std::nullopt, read_cause_text(read.error())};
    document = read.take_value();
    return {is_blank(document) ? std::nullopt : find_list_anchor(document), {}};
}

// The line that names the error log's codes that no position carried, or "" when it names none.
std::string missing_codes_line(const CodeSet& codes, const std::vector<bool>& carried) {
    ShownCodes missing;
    for (const std::string_view code : codes_not_carried(codes, carried))
        missing.add(code);
    return missing.count == 0 ? std::string()
                              : messages::codes_not_in_list(missing.count, missing.first);
}

std::string undated_line(const ShownCodes& undated) {
    return undated.count == 0 ? std::string()
                              : messages::positions_without_date(undated.count, undated.first);
}

// Everything after the scan: the blank lines' removal, the save chooser, the write and the
// report, with `line` (when not empty) under the count or under the word that none was kept. A
// list whose positions could not be delimited is refused whole: writing what the scan made of it
// would hand GPAIS a file cut short or with damaged positions.
RunOutcome save_kept(std::string& document, std::optional<std::size_t> kept,
                     std::string_view product_list_path, const std::string& line,
                     MachinePort& machine, UserPort& person) {
    if (!kept)
        return tell(person, RunOutcome::bad_product_list);
    if (*kept == 0)
        return tell(person, RunOutcome::nothing_kept, line);
    remove_blank_lines(document);

    SaveRequest request;
    request.title = messages::list_chooser.title;
    request.initial_folder = person.current_folder();
    request.proposed_name = default_output_name(product_list_path, machine.local_time());
    const std::string chosen = person.choose_save_file(request);
    if (is_blank(chosen))
        return tell(person, RunOutcome::cancelled);

    if (const FileResult<void> written = machine.write_file(chosen, document); !written.ok())
        return tell(person, RunOutcome::write_failed, write_cause_text(written.error()), 0, chosen);
    return tell(person, RunOutcome::written, line, *kept);
}

}  // namespace

RunOutcome ATRINKPOZICIJAS(std::string_view product_list_path, std::string_view error_log_path,
                           MachinePort& machine, UserPort& person) {
    std::string document;
    CodeSet codes;
    std::optional<std::size_t> kept = 0;
    // This mode is the one called without a third argument: a report shows it as not passed.
    GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(product_list_path, error_log_path, rt::not_passed),
                GPAIS_LOCALS(document, codes, kept));
    GPAIS_LINE();
    const ListStart list = read_product_list(product_list_path, document, machine);
    if (!list.anchor)
        return tell(person, RunOutcome::bad_product_list, list.cause);

    GPAIS_LINE();
    FileResult<std::string> log = machine.read_file(error_log_path);
    if (!log.ok())
        return tell(person, RunOutcome::no_codes, read_cause_text(log.error()));
    codes = build_code_set(decoded_error_log(log.take_value()));
    if (codes.empty())
        return tell(person, RunOutcome::no_codes);
    GPAIS_LINE();
    std::vector<bool> carried(codes.size());
    kept = scan_positions(document, *list.anchor, [&codes, &carried](std::string_view position) {
        return TINKAKOD(position, codes, carried);
    });
    GPAIS_LINE();
    return save_kept(document, kept, product_list_path, missing_codes_line(codes, carried), machine,
                     person);
}

RunOutcome ATRINKPOZICIJAS(std::string_view product_list_path, Date first, Date last,
                           MachinePort& machine, UserPort& person) {
    std::string document;
    std::optional<std::size_t> kept = 0;
    GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(product_list_path, first, last),
                GPAIS_LOCALS(document, kept));
    GPAIS_LINE();
    const ListStart list = read_product_list(product_list_path, document, machine);
    if (!list.anchor)
        return tell(person, RunOutcome::bad_product_list, list.cause);

    GPAIS_LINE();
    ShownCodes undated;
    kept =
        scan_positions(document, *list.anchor, [first, last, &undated](std::string_view position) {
            return TINKADAT(position, first, last, undated);
        });
    GPAIS_LINE();
    return save_kept(document, kept, product_list_path, undated_line(undated), machine, person);
}

}  // namespace gpais
