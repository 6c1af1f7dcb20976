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
#include <regex>
#include <string>
#include <string_view>
#include <utility>

#include "tests/support/report_stack.hpp"

namespace gpais::testing {

inline std::string masked_report(std::string_view report) {
    static constexpr std::pair<std::string_view, std::string_view> facts[] = {
        {"EXE failas:  ", "<command>"},
        {"  OS: ", "<os>"},
        {"Kompiuteris: ", "<computer>"},
        {"Vartotojas: ", "<user>"},
    };
    // "    NAME(123)      (values" in the stack: the line number and the padding it moves.
    static const std::regex level_head(R"(^(    [^(]+)\(\d+\) +)");
    std::string masked;
    bool in_stack = false;
    bool toolchain_next = false;  // the line after the OS names the compiler and build date
    for (std::size_t start = 0; start < report.size(); start += 2) {
        const std::size_t end = std::min(report.find("\r\n", start), report.size());
        const std::string line(report.substr(start, end - start));
        std::string shown = in_stack ? std::regex_replace(line, level_head, "$1(<line>) ") : line;
        if (start == 0 && starts_with_timestamp(report))
            shown = "<time>" + line.substr(23);
        if (std::exchange(toolchain_next, false))
            shown = "  <toolchain>";
        for (const auto& [label, mark] : facts) {
            if (line.starts_with(label)) {
                shown = std::string(label) + std::string(mark);
                toolchain_next = label == "  OS: ";
            }
        }
        in_stack = line == "Stekas: " || (in_stack && !line.empty());
        masked += shown + (end < report.size() ? "\r\n" : "");
        start = end;
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
