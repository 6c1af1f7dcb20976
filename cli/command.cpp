#include "cli/command.hpp"

#include <string>
#include <string_view>
#include <variant>

#include "base/console_text.hpp"
#include "cli/arguments.hpp"
#include "cli/console_port.hpp"
#include "filter/filter_run.hpp"
// The project's version, the same one the version blocks and the release zip's name carry.
#include "gpais_version.h"

namespace gpais::cli {

int run_command(std::span<const std::string> arguments, std::FILE* out, std::FILE* err) {
    const Command command = parse_arguments(arguments);
    if (std::holds_alternative<HelpCommand>(command)) {
        (void)write_text(out, usage_text());
        return exit_written;
    }
    if (std::holds_alternative<VersionCommand>(command)) {
        (void)write_line(out, "gpais-filter " GPAIS_VERSION_TEXT);
        return exit_written;
    }
    if (const auto* usage = std::get_if<UsageError>(&command)) {
        (void)write_line(err, usage->message);
        // Every usage error but the dialog's own checks also points to the help.
        if (!usage->dialog_message)
            (void)write_line(err, "gpais-filter --help");
        return exit_usage;
    }

    const auto& filter = std::get<FilterCommand>(command);
    ConsolePort person(filter.output, err);
    FileOrStdoutPort machine(out);
    const RunOutcome outcome = std::visit(
        [&](const auto& mode) {
            if constexpr (std::is_same_v<std::decay_t<decltype(mode)>, PeriodMode>) {
                return ATRINKPOZICIJAS(filter.product_list, mode.first, mode.last, machine, person);
            } else {
                return ATRINKPOZICIJAS(filter.product_list, mode.error_log, machine, person);
            }
        },
        filter.mode);
    return outcome == RunOutcome::written ? exit_written : exit_not_written;
}

}  // namespace gpais::cli
