#include "ui/command_line.hpp"

#include "base/blank.hpp"

namespace gpais::ui {

std::vector<std::string> split_command_line(std::string_view line) {
    std::vector<std::string> arguments;
    std::string current;
    bool in_argument = false;  // a pair of quotes alone still opens an argument
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            in_argument = true;
        } else if (!quoted && is_blank_byte(c)) {
            if (in_argument) {
                arguments.push_back(std::move(current));
                current.clear();
                in_argument = false;
            }
        } else {
            current.push_back(c);
            in_argument = true;
        }
    }
    if (in_argument)
        arguments.push_back(std::move(current));
    return arguments;
}

}  // namespace gpais::ui
