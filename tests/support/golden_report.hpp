#pragma once
// A crash report compared whole, byte for byte, with its golden copy in tests/errors/golden/,
// once what moves from run to run is masked: the time, the command line, the Windows version,
// the build's compiler and date, the computer, the user, and the stack's line numbers, which
// move with every edit of the code. Set GPAIS_UPDATE_GOLDEN=1 to write the copies anew after a
// change of the report that is meant; the diff then shows it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "tests/support/report_stack.hpp"

namespace gpais::testing {

// "    NAME(123)      (values" as "    NAME(<line>) (values"; any other line as it is.
inline std::string without_line_number(std::string_view line) {
    const std::size_t open = line.find('(');
    const std::size_t close = line.find(')', open);
    const std::size_t values = line.find_first_not_of(' ', close + 1);
    if (open == std::string_view::npos || close == std::string_view::npos ||
        line.substr(open + 1, close - open - 1).find_first_not_of("0123456789") !=
            std::string_view::npos) {
        return std::string(line);
    }
    std::string masked(line.substr(0, open));
    masked += "(<line>) ";
    if (values != std::string_view::npos)
        masked += line.substr(values);
    return masked;
}

inline std::string masked_report(std::string_view report) {
    static constexpr std::pair<std::string_view, std::string_view> facts[] = {
        {"EXE failas:  ", "<command>"},
        {"  OS: ", "<os>"},
        {"Kompiuteris: ", "<computer>"},
        {"Vartotojas: ", "<user>"},
    };
    std::string masked;
    bool in_stack = false;
    bool toolchain_next = false;  // the line after the OS names the compiler and build date
    for (std::size_t start = 0; start < report.size();) {
        const std::size_t end = std::min(report.find("\r\n", start), report.size());
        std::string_view line = report.substr(start, end - start);
        std::string shown(line);
        if (start == 0 && starts_with_timestamp(report))
            shown = "<time>" + std::string(line.substr(23));
        if (toolchain_next)
            shown = "  <toolchain>";
        toolchain_next = false;
        for (const auto& [label, mark] : facts) {
            if (line.starts_with(label)) {
                shown = std::string(label) + std::string(mark);
                toolchain_next = label == "  OS: ";
            }
        }
        if (in_stack)
            shown = without_line_number(line);
        in_stack = line == "Stekas: " || (in_stack && !line.empty());
        masked += shown;
        if (end < report.size())
            masked += "\r\n";
        start = end + 2;
    }
    return masked;
}

// Compares `report`, masked unless the test gives every fact itself, with its golden copy.
inline void expect_golden_report(std::string_view name, std::string_view report, bool mask = true) {
    const std::string actual = mask ? masked_report(report) : std::string(report);
    const std::string path =
        std::string(GPAIS_SOURCE_DIR) + "/tests/errors/golden/" + std::string(name) + ".txt";
    if (std::getenv("GPAIS_UPDATE_GOLDEN") != nullptr)
        std::ofstream(path, std::ios::binary) << actual;
    std::ifstream file(path, std::ios::binary);
    const std::string golden{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(actual, golden) << name;
}

}  // namespace gpais::testing
