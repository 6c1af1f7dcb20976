#include "filter/filter_run.hpp"

#include <optional>
#include <string>
#include <vector>

#include "filter/bytes.hpp"
#include "filter/code_set.hpp"
#include "filter/compaction.hpp"
#include "filter/date_match.hpp"
#include "filter/error_log_text.hpp"
#include "filter/messages.hpp"
#include "filter/output_name.hpp"
#include "filter/position_scan.hpp"
#include "filter/shown_code.hpp"
#include "filter/write_cause.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace {

void tell(UserPort& port, const Message& message) {
    port.show_message(message.text, message.caption, message.icon);
}
void tell(UserPort& port, const ComposedMessage& message) {
    tell(port, message.view());
}

// Reads the product list into the run's document and finds its list; nothing when the run has
// already told the person why the file will not do. A file that could not be read at all is not
// one with bad content, so the person is told why on a second line.
std::optional<std::size_t> read_product_list(std::string_view path, std::string& document,
                                             UserPort& port) {
    ReadResult read = port.read_file(path);
    if (!read.ok()) {
        tell(port, messages::with_line(messages::bad_product_list, read_cause_text(read.error())));
        return std::nullopt;
    }
    document = read.take_bytes();
    const std::optional<std::size_t> anchor =
        is_blank(document) ? std::nullopt : find_list_anchor(document);
    if (!anchor)
        tell(port, messages::bad_product_list);
    return anchor;
}

// The message, with `line` under it when there is one.
ComposedMessage with_any_line(const Message& message, const std::string& line) {
    return line.empty() ? ComposedMessage{std::string(message.text), message.caption, message.icon}
                        : messages::with_line(message, line);
}

// The line that names the error log's codes that no position carried, or "" when it names none.
std::string missing_codes_line(const CodeSet& codes, const std::vector<bool>& carried) {
    const std::vector<std::string_view> missing = codes_not_carried(codes, carried);
    if (missing.empty())
        return {};
    std::vector<std::string> first;
    for (std::size_t at = 0; at < missing.size() && at < messages::codes_named; ++at)
        first.push_back(shown_code(missing[at]));
    return messages::codes_not_in_list(missing.size(), first);
}

std::string undated_line(const UndatedPositions& undated) {
    return undated.count == 0
               ? std::string()
               : messages::positions_without_date(undated.count, undated.first_codes);
}

// Everything after the scan: compaction, the save chooser, the write and the report, with
// `line` (when not empty) under the count or under the word that none was kept. A list whose
// positions could not be delimited is refused whole: writing what the scan made of it would
// hand GPAIS a file cut short or with damaged positions.
RunOutcome save_kept(std::string& document, std::optional<std::size_t> kept,
                     std::string_view product_list_path, const std::string& line, UserPort& port) {
    if (!kept) {
        tell(port, messages::bad_product_list);
        return RunOutcome::bad_product_list;
    }
    if (*kept == 0) {
        tell(port, with_any_line(messages::nothing_kept, line));
        return RunOutcome::nothing_kept;
    }
    remove_blank_lines(document);

    SaveRequest request;
    request.title = messages::list_chooser.title;
    request.initial_folder = port.current_folder();
    request.default_extension = ".xml";
    request.file_types = {file_type_of(messages::list_chooser)};
    request.filter_index = 1;
    request.proposed_name = default_output_name(product_list_path, port.local_now());
    const std::string chosen = port.choose_save_file(request);
    // Reporting a count after a cancelled save would tell the person a file exists that
    // does not, so a cancel ends the run quietly.
    if (is_blank(chosen))
        return RunOutcome::cancelled;

    if (const WriteResult written = port.write_file(chosen, document); !written.ok()) {
        tell(port, messages::file_not_written(chosen, write_cause_text(written.error())));
        return RunOutcome::write_failed;
    }
    tell(port, with_any_line(messages::file_written(*kept).view(), line));
    return RunOutcome::written;
}

}  // namespace

RunOutcome ATRINKPOZICIJAS(std::string_view product_list_path, std::string_view error_log_path,
                           UserPort& port) {
    std::string document;
    CodeSet codes;
    std::optional<std::size_t> kept = 0;
    // This mode is the one called without a third argument: a report shows it as not passed.
    GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(product_list_path, error_log_path, rt::not_passed),
                GPAIS_LOCALS(document, codes, kept));
    GPAIS_LINE();
    const std::optional<std::size_t> anchor = read_product_list(product_list_path, document, port);
    if (!anchor)
        return RunOutcome::bad_product_list;

    GPAIS_LINE();
    ReadResult log = port.read_file(error_log_path);
    if (!log.ok()) {
        tell(port, messages::with_line(messages::no_codes, read_cause_text(log.error())));
        return RunOutcome::no_codes;
    }
    codes = build_code_set(error_log_text(log.take_bytes()));
    if (codes.empty()) {
        tell(port, messages::no_codes);
        return RunOutcome::no_codes;
    }
    GPAIS_LINE();
    std::vector<bool> carried(codes.size());
    kept = scan_positions(document, *anchor, [&codes, &carried](std::string_view position) {
        return TINKAKOD(position, codes, carried);
    });
    GPAIS_LINE();
    return save_kept(document, kept, product_list_path, missing_codes_line(codes, carried), port);
}

RunOutcome ATRINKPOZICIJAS(std::string_view product_list_path, Date first, Date last,
                           UserPort& port) {
    std::string document;
    std::optional<std::size_t> kept = 0;
    GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(product_list_path, first, last),
                GPAIS_LOCALS(document, kept));
    GPAIS_LINE();
    const std::optional<std::size_t> anchor = read_product_list(product_list_path, document, port);
    if (!anchor)
        return RunOutcome::bad_product_list;

    GPAIS_LINE();
    UndatedPositions undated;
    kept = scan_positions(document, *anchor, [first, last, &undated](std::string_view position) {
        return TINKADAT(position, first, last, undated);
    });
    GPAIS_LINE();
    return save_kept(document, kept, product_list_path, undated_line(undated), port);
}

}  // namespace gpais
