#include "cli/arguments.hpp"

#include <array>
#include <utility>
#include <variant>

#include "base/blank.hpp"
#include "filter/messages.hpp"

namespace gpais::cli {

namespace {

// Options that take a value, in the order their slots are kept below.
enum Slot : std::size_t { from, to, errors, output, slot_count };

struct OptionName {
    std::string_view long_name;
    std::string_view short_name;
    Slot slot;
};
constexpr std::array<OptionName, 4> value_options{{
    {"--from", "", from},
    {"--to", "", to},
    {"--errors", "", errors},
    {"--output", "-o", output},
}};

const OptionName* find_option(std::string_view name) {
    for (const OptionName& option : value_options) {
        if (name == option.long_name || (!option.short_name.empty() && name == option.short_name)) {
            return &option;
        }
    }
    return nullptr;
}

UsageError dialog_check(const Message& message) {
    return {std::string(message.text), true};
}

UsageError invalid_date(std::string_view option, std::string_view text) {
    return {"Bloga data " + std::string(option) + " " + std::string(text) +
            " (invalid date; expected YYYY-MM-DD)"};
}

// The arguments as given, before any is checked against the others.
struct GivenArguments {
    std::array<std::optional<std::string>, slot_count> values;
    std::optional<std::string> product_list;
};

// Reading alone decides the command when it meets --help, --version or an argument it cannot
// read; otherwise what was given goes on to be checked.
using Reading = std::variant<GivenArguments, Command>;

Reading read_arguments(std::span<const std::string> arguments) {
    GivenArguments given;
    bool options_ended = false;

    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string_view argument = arguments[at];
        const bool looks_like_option = !options_ended && argument.size() > 1 && argument[0] == '-';
        if (!looks_like_option) {
            if (given.product_list) {
                return UsageError{"Per daug argumentų: " + std::string(argument) +
                                  " (only one product list may be given)"};
            }
            given.product_list = std::string(argument);
            continue;
        }
        if (argument == "--") {
            options_ended = true;
            continue;
        }
        if (argument == "--help" || argument == "-h")
            return HelpCommand{};
        if (argument == "--version")
            return VersionCommand{};

        // Both "--from 2026-11-01" and "--from=2026-11-01".
        const std::size_t equals = argument.starts_with("--") ? argument.find('=') : argument.npos;
        const std::string_view name = argument.substr(0, equals);
        const OptionName* option = find_option(name);
        if (option == nullptr) {
            return UsageError{"Nežinomas parametras: " + std::string(argument) +
                              " (unknown option)"};
        }
        std::string value;
        if (equals != argument.npos) {
            value = std::string(argument.substr(equals + 1));
        } else if (at + 1 < arguments.size()) {
            value = arguments[++at];
        } else {
            return UsageError{"Parametrui " + std::string(name) +
                              " trūksta reikšmės (missing value)"};
        }
        if (given.values[option->slot]) {
            return UsageError{"Parametras " + std::string(option->long_name) +
                              " nurodytas du kartus (given twice)"};
        }
        given.values[option->slot] = std::move(value);
    }
    return given;
}

// The filter command that what was given makes, or the first check it fails.
Command checked_command(GivenArguments given) {
    const auto& values = given.values;
    const bool period = values[from] || values[to];
    if (period && values[errors]) {
        return UsageError{
            "Nurodykite arba --from ir --to, arba --errors (choose one mode, not both)"};
    }
    if (!period && !values[errors]) {
        return UsageError{"Nurodykite --from ir --to arba --errors (choose a mode)"};
    }
    if (values[output] && is_blank(*values[output])) {
        return UsageError{"Tuščias --output kelias (empty output path)"};
    }

    FilterCommand command;
    command.output = values[output];
    if (period) {
        if (!values[from] || !values[to]) {
            return UsageError{"Nurodykite abi datas: --from ir --to (both dates are needed)"};
        }
        const std::optional<Date> first = parse_iso_date(*values[from]);
        if (!first)
            return invalid_date("--from", *values[from]);
        const std::optional<Date> last = parse_iso_date(*values[to]);
        if (!last)
            return invalid_date("--to", *values[to]);
        if (*first > *last)
            return dialog_check(messages::bad_period);
        command.mode = PeriodMode{*first, *last};
    } else {
        command.mode = ErrorLogMode{*values[errors]};
    }
    if (!given.product_list || is_blank(*given.product_list))
        return dialog_check(messages::no_product_list);
    command.product_list = std::move(*given.product_list);
    return command;
}

}  // namespace

Command parse_arguments(std::span<const std::string> arguments) {
    Reading reading = read_arguments(arguments);
    if (Command* decided = std::get_if<Command>(&reading))
        return std::move(*decided);
    return checked_command(std::move(std::get<GivenArguments>(reading)));
}

std::string_view usage_text() noexcept {
    return R"(Naudojimas / Usage:
  gpais-filter --from YYYY-MM-DD --to YYYY-MM-DD [-o KELIAS] SENAS.xml
  gpais-filter --errors KLAIDOS.log [-o KELIAS] SENAS.xml

Palieka tik tas sąrašo pozicijas, kurių pradetaTiektiNuo patenka į periodą,
arba kurių kodus GPAIS klaidų failas nurodo kaip nerastus; tuščios eilutės
pašalinamos. Be -o failas įrašomas šalia sąrašo vardu SENAS_YYMMDD HHMM.xml.
Keeps only the positions whose own pradetaTiektiNuo lies in the period, or
whose codes the GPAIS error log reports as not found; blank lines are dropped.
Without -o the file is written beside the list as LIST_YYMMDD HHMM.xml.

  --from DATA, --to DATA   periodo pradžia ir pabaiga / period start and end
  --errors FAILAS          GPAIS klaidų failas / GPAIS error log
  -o, --output KELIAS      kur įrašyti; "-" = standartinė išvestis / where to write; "-" = stdout
  -h, --help               ši pagalba / this help
  --version                versija / version

Pranešimai rašomi į standartinę klaidų išvestį / messages go to stderr.
Išėjimo kodas / exit code: 0 įrašyta / written, 1 kitas pranešimas / other message,
2 blogi parametrai / usage error.
)";
}

}  // namespace gpais::cli
