#include "errors/error_platform.hpp"

#include <atomic>
#include <string>
#include <utility>

#include "base/paths.hpp"
#include "errors/console_platform.hpp"

namespace gpais {

namespace {
std::atomic<ErrorPlatform*> current_platform{nullptr};

// Set once, before any other thread or window exists; read only by the handler after that.
std::string& start_folder() {
    static std::string folder;
    return folder;
}
}  // namespace

void remember_start_folder(std::string folder) {
    start_folder() = std::move(folder);
}

std::string log_path(std::string_view bare_name) {
    return join_folder(start_folder(), bare_name);
}

void set_error_platform(ErrorPlatform& platform) noexcept {
    current_platform.store(&platform);
}

ErrorPlatform& error_platform() noexcept {
    ErrorPlatform* platform = current_platform.load();
    return platform != nullptr ? *platform : console_error_platform();
}

}  // namespace gpais
