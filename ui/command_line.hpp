#pragma once
// The program splits its own command line: Windows' own splitter treats backslashes before
// quotes specially, which would mangle a quoted folder path such as "C:\My files\".

#include <string>
#include <string_view>
#include <vector>

namespace gpais::ui {

// Arguments separated by space, tab, CR or LF outside double quotes. A double quote toggles
// quoting and is dropped; "" still makes an empty argument; a backslash is an ordinary byte.
// Works on UTF-8, whose multi-byte sequences never contain these ASCII bytes.
[[nodiscard]] std::vector<std::string> split_command_line(std::string_view line);

}  // namespace gpais::ui
