#pragma once
// Reads a crash report back, its time and its stack, for the native tests and the Wine driver
// alike.

#include <string>
#include <string_view>
#include <vector>

namespace gpais::testing {

// The report opens with "YYYY-MM-DD HH:MM:SS.FFF" and an empty line.
inline bool starts_with_timestamp(std::string_view report) {
    constexpr std::string_view shape = "0000-00-00 00:00:00.000\r\n\r\n";
    if (report.size() < shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = report[i] >= '0' && report[i] <= '9';
        if (shape[i] == '0' ? !digit : report[i] != shape[i])
            return false;
    }
    return true;
}

// The lines between "Stekas: " and the empty line after them, without their line breaks.
inline std::vector<std::string> stack_lines(std::string_view report) {
    constexpr std::string_view heading = "Stekas: \r\n";
    std::vector<std::string> lines;
    std::size_t at = report.find(heading);
    if (at == std::string_view::npos)
        return lines;
    for (at += heading.size(); report.substr(at, 4) == "    "; at = report.find("\r\n", at) + 2)
        lines.emplace_back(report.substr(at, report.find("\r\n", at) - at));
    return lines;
}

// The names of the stack's levels, innermost first: each line's text before its "(".
inline std::vector<std::string> stack_names(std::string_view report) {
    std::vector<std::string> names;
    for (const std::string& line : stack_lines(report))
        names.push_back(line.substr(4, line.find('(') - 4));
    return names;
}

}  // namespace gpais::testing
