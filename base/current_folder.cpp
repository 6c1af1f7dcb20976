#include "base/current_folder.hpp"

#include <filesystem>
#include <system_error>

namespace gpais {

std::string read_current_folder() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    if (ec)
        return {};
    const std::u8string text = folder.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace gpais
