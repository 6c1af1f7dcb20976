#include "cli/arguments.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter/messages.hpp"

namespace gpais::cli {
namespace {

struct ParseCase {
    const char* name;
    std::vector<std::string> arguments;
    // What is expected: "period FIRST LAST LIST OUTPUT", "errors LOG LIST OUTPUT", "help",
    // "version" or "usage: MESSAGE" (OUTPUT is "(none)" without --output).
    std::string expected;
};

std::string describe(const Command& command) {
    if (std::holds_alternative<HelpCommand>(command))
        return "help";
    if (std::holds_alternative<VersionCommand>(command))
        return "version";
    if (const auto* usage = std::get_if<UsageError>(&command))
        return "usage: " + usage->message;
    const auto& filter = std::get<FilterCommand>(command);
    const std::string output = filter.output ? *filter.output : "(none)";
    if (const auto* period = std::get_if<PeriodMode>(&filter.mode)) {
        return "period " + to_iso_string(period->first) + " " + to_iso_string(period->last) + " " +
               filter.product_list + " " + output;
    }
    return "errors " + std::get<ErrorLogMode>(filter.mode).error_log + " " + filter.product_list +
           " " + output;
}

std::string usage(const Message& message) {
    return "usage: " + std::string(message.text);
}

TEST(Arguments, TableOfCommandLines) {
    const ParseCase cases[] = {
        {"period mode",
         {"--from", "2026-11-01", "--to", "2026-11-30", "a.xml"},
         "period 2026-11-01 2026-11-30 a.xml (none)"},
        {"options after the list and with =",
         {"a.xml", "--to=2026-11-30", "--from=2026-11-01", "-o", "b.xml"},
         "period 2026-11-01 2026-11-30 a.xml b.xml"},
        {"one-day period",
         {"--from", "2026-11-05", "--to", "2026-11-05", "a.xml"},
         "period 2026-11-05 2026-11-05 a.xml (none)"},
        {"error-log mode to standard output",
         {"--errors", "k.log", "--output", "-", "sąrašas.xml"},
         "errors k.log sąrašas.xml -"},
        {"empty error-log path is the run's business",
         {"--errors", "", "a.xml"},
         "errors  a.xml (none)"},
        {"list starting with a dash after --",
         {"--errors", "k.log", "--", "-a.xml"},
         "errors k.log -a.xml (none)"},
        {"an unknown option before --help is reported",
         {"--bogus", "--help"},
         "usage: Nežinomas parametras: --bogus (unknown option)"},
        {"help", {"--from", "x", "-h"}, "help"},
        {"version", {"--version"}, "version"},
        {"unknown option",
         {"--period", "x", "a.xml"},
         "usage: Nežinomas parametras: --period (unknown option)"},
        {"first date after last",
         {"--from", "2026-11-30", "--to", "2026-11-01", "a.xml"},
         usage(messages::bad_period)},
        {"day-first date",
         {"--from", "01-11-2026", "--to", "2026-11-30", "a.xml"},
         "usage: Bloga data --from 01-11-2026 (invalid date; expected YYYY-MM-DD)"},
        {"impossible date",
         {"--from", "2026-11-01", "--to", "2026-02-30", "a.xml"},
         "usage: Bloga data --to 2026-02-30 (invalid date; expected YYYY-MM-DD)"},
        {"short date",
         {"--from", "2026-1-1", "--to", "2026-11-30", "a.xml"},
         "usage: Bloga data --from 2026-1-1 (invalid date; expected YYYY-MM-DD)"},
        {"only one date",
         {"--from", "2026-11-01", "a.xml"},
         "usage: Nurodykite abi datas: --from ir --to (both dates are needed)"},
        {"both modes",
         {"--from", "2026-11-01", "--to", "2026-11-30", "--errors", "k.log", "a.xml"},
         "usage: Nurodykite arba --from ir --to, arba --errors (choose one mode, not both)"},
        {"no mode", {"a.xml"}, "usage: Nurodykite --from ir --to arba --errors (choose a mode)"},
        {"no product list", {"--errors", "k.log"}, usage(messages::no_product_list)},
        {"blank product list", {"--errors", "k.log", "  "}, usage(messages::no_product_list)},
        {"two product lists",
         {"--errors", "k.log", "a.xml", "b.xml"},
         "usage: Per daug argumentų: b.xml (only one product list may be given)"},
        {"option without its value",
         {"a.xml", "--errors"},
         "usage: Parametrui --errors trūksta reikšmės (missing value)"},
        {"option given twice",
         {"--errors", "a", "--errors", "b", "a.xml"},
         "usage: Parametras --errors nurodytas du kartus (given twice)"},
        {"blank output path",
         {"--errors", "k.log", "-o", " ", "a.xml"},
         "usage: Tuščias --output kelias (empty output path)"},
        {"short option with = is not split",
         {"--errors", "k.log", "-o=x", "a.xml"},
         "usage: Nežinomas parametras: -o=x (unknown option)"},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(describe(parse_arguments(c.arguments)), c.expected) << c.name;
    }
}

// Only the checks the dialog makes too are marked as the dialog's.
TEST(Arguments, UsageErrorsSayWhetherTheyAreTheDialogsChecks) {
    struct FlagCase {
        const char* name;
        std::vector<std::string> arguments;
        bool dialog_message;
    };
    const FlagCase cases[] = {
        {"first date after last", {"--from", "2026-11-30", "--to", "2026-11-01", "a.xml"}, true},
        {"no product list", {"--errors", "k.log"}, true},
        {"blank product list", {"--errors", "k.log", "  "}, true},
        {"unknown option", {"--period", "x", "a.xml"}, false},
        {"day-first date", {"--from", "01-11-2026", "--to", "2026-11-30", "a.xml"}, false},
        {"no mode", {"a.xml"}, false},
        {"blank output path", {"--errors", "k.log", "-o", " ", "a.xml"}, false},
    };
    for (const FlagCase& c : cases) {
        const Command command = parse_arguments(c.arguments);
        const auto* usage = std::get_if<UsageError>(&command);
        ASSERT_NE(usage, nullptr) << c.name;
        EXPECT_EQ(usage->dialog_message, c.dialog_message) << c.name;
    }
}

}  // namespace
}  // namespace gpais::cli
