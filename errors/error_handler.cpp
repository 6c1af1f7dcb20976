#include "errors/error_handler.hpp"

#include <new>
#include <string>

#include "errors/crash_report.hpp"
#include "errors/raise.hpp"
#include "errors/support_contact.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace {

// Counts the calls that got past the quiet answers; it only grows, and limits how many reports
// errors nested in the making of a report can write.
thread_local int crash_reports_started = 0;

rt::Value errorsys_hook(const ErrorRecord& record) {
    GPAIS_LEVEL("(b)ERRORSYS", GPAIS_ARGS(record));
    gpais_call_level_.mark_as_handler();
    return PRGERROR(record);
}

bool is_quiet_open_or_append_error(const ErrorRecord& record) {
    const bool sharing_open = record.GENCODE == gencode::open && record.OSCODE == sharing_violation;
    return (sharing_open || record.GENCODE == gencode::append_lock) && record.CANDEFAULT;
}

}  // namespace

std::string crash_message() {
    return "Įvyko klaida.\nPraneškite programuotojams.\nEl.paštu: " + std::string(support_email);
}

void ERRORSYS() {
    set_error_hook(&errorsys_hook);
}

rt::Value PRGERROR(const ErrorRecord& record) {
    GPAIS_LEVEL("PRGERROR", GPAIS_ARGS(record));
    gpais_call_level_.mark_as_handler();
    if (record.GENCODE == gencode::zero_division)
        return rt::Value(0);
    if (record.GENCODE == gencode::lock)
        return rt::Value(true);
    if (is_quiet_open_or_append_error(record))
        return rt::Value(false);

    if (++crash_reports_started > 2)
        return rt::Value{};

    ErrorPlatform& platform = error_platform();
    GPAIS_LINE();
    std::string entry = GETERRORDESC(record);
    entry.append(report_separator_length, '=');
    GPAIS_LINE();
    // A log that cannot be written loses the report; the user is still told and the process
    // still ends.
    const std::string path = log_path(crash_log_name);
    try {
        (void)platform.append_to_file(path, entry, LogAccess::read_write);
    } catch (const std::bad_alloc&) {
        // The whole report left too little memory to write it with: the shortened one goes in
        // its place, once the whole one is given back.
        std::string().swap(entry);
        entry = GETERRORDESC(record, ReportForm::shortened);
        entry.append(report_separator_length, '=');
        (void)platform.append_to_file(path, entry, LogAccess::read_write);
    }
    GPAIS_LINE();
    platform.show_message(crash_message(), crash_caption, crash_icon);
    GPAIS_LINE();
    // ENDTHREADDLG on Windows: the modal main dialog must not go on waiting.
    platform.end_thread_dialogs();
    platform.exit_process(1);
    return rt::Value{};  // never reached: the platform does not return from exit_process
}

void install_error_handling(ErrorPlatform& platform) {
    set_error_platform(platform);
    remember_start_folder(platform.current_folder());
    ERRORSYS();
    install_last_resort_handlers();
}

}  // namespace gpais
