#include "filter/bytes.hpp"

namespace gpais {

bool is_blank(std::string_view text) noexcept {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace gpais
