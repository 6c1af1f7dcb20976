#pragma once
// Reads the stack part of a crash report back, for the native tests and the Wine driver alike.

#include <string>
#include <string_view>
#include <vector>

namespace gpais::testing {

// The lines between "Stekas: " and the empty line after them, without their line breaks.
inline std::vector<std::string> stack_lines(std::string_view report) {
    std::vector<std::string> lines;
    std::size_t at = report.find("Stekas: \r\n");
    if (at == std::string_view::npos)
        return lines;
    for (at += 10; report.substr(at, 4) == "    "; at = report.find("\r\n", at) + 2)
        lines.emplace_back(report.substr(at, report.find("\r\n", at) - at));
    return lines;
}

}  // namespace gpais::testing
