#pragma once
// The command line of gpais-filter, read into what to do without touching any file.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "filter/date.hpp"

namespace gpais::cli {

struct PeriodMode {
    Date first;
    Date last;
};
struct ErrorLogMode {
    std::string error_log;  // may be empty: the run then reports that it found no codes
};

struct FilterCommand {
    std::variant<PeriodMode, ErrorLogMode> mode;
    std::string product_list;
    std::optional<std::string> output;  // "-" is standard output; nothing = the proposed name
};
struct HelpCommand {};
struct VersionCommand {};
struct UsageError {
    std::string message;
    // Set for the two checks the dialog makes too (the period's order, a missing list): they keep
    // the dialog's own words and, unlike the other usage errors, no pointer to the help.
    bool dialog_message = false;
};

using Command = std::variant<FilterCommand, HelpCommand, VersionCommand, UsageError>;

// `arguments` excludes the program's own name. Texts are UTF-8.
[[nodiscard]] Command parse_arguments(std::span<const std::string> arguments);

// The text that --help prints.
[[nodiscard]] std::string_view usage_text() noexcept;

}  // namespace gpais::cli
