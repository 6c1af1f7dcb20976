#include "ui/path_field.hpp"

namespace gpais::ui {

std::string path_in_field(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

}  // namespace gpais::ui
