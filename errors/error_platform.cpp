#include "errors/error_platform.hpp"

#include <atomic>

#include "errors/console_platform.hpp"

namespace gpais {

namespace {
std::atomic<ErrorPlatform*> current_platform{nullptr};
}  // namespace

void set_error_platform(ErrorPlatform& platform) noexcept {
    current_platform.store(&platform);
}

ErrorPlatform& error_platform() noexcept {
    ErrorPlatform* platform = current_platform.load();
    return platform != nullptr ? *platform : console_error_platform();
}

}  // namespace gpais
