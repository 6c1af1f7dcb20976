#include "filter/filter_run.hpp"

#include <optional>
#include <string>

#include "filter/bytes.hpp"
#include "filter/code_set.hpp"
#include "filter/compaction.hpp"
#include "filter/date_match.hpp"
#include "filter/messages.hpp"
#include "filter/output_name.hpp"
#include "filter/position_scan.hpp"
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
// already told the person why the file will not do.
std::optional<std::size_t> read_product_list(std::string_view path, std::string& document,
                                             UserPort& port) {
    document = port.read_file(path);
    const std::optional<std::size_t> anchor =
        is_blank(document) ? std::nullopt : find_list_anchor(document);
    if (!anchor)
        tell(port, messages::bad_product_list);
    return anchor;
}

// Everything after the scan: compaction, the save chooser, the write and the report. A list
// whose positions could not be delimited is refused whole: writing what the scan made of it
// would hand GPAIS a file cut short or with damaged positions.
RunOutcome save_kept(std::string& document, std::optional<std::size_t> kept,
                     std::string_view product_list_path, UserPort& port) {
    if (!kept) {
        tell(port, messages::bad_product_list);
        return RunOutcome::bad_product_list;
    }
    if (*kept == 0) {
        tell(port, messages::nothing_kept);
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
    tell(port, messages::file_written(*kept));
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
    codes = build_code_set(port.read_file(error_log_path));
    if (codes.empty()) {
        tell(port, messages::no_codes);
        return RunOutcome::no_codes;
    }
    GPAIS_LINE();
    kept = scan_positions(document, *anchor, [&codes](std::string_view position) {
        return TINKAKOD(position, codes);
    });
    GPAIS_LINE();
    return save_kept(document, kept, product_list_path, port);
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
    kept = scan_positions(document, *anchor, [first, last](std::string_view position) {
        return TINKADAT(position, first, last);
    });
    GPAIS_LINE();
    return save_kept(document, kept, product_list_path, port);
}

}  // namespace gpais
