#include "ui/control_message.hpp"

#include <algorithm>
#include <vector>

#include "rt/call_levels.hpp"

namespace gpais::ui {

std::int32_t CONTROLMESSAGE(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    GPAIS_LEVEL("CONTROLMESSAGE", GPAIS_ARGS(window, message, wparam, lparam));
    return static_cast<std::int32_t>(::SendMessageA(window, message, wparam, lparam));
}

std::int32_t CONTROLMESSAGE(HWND window, UINT message, WPARAM wparam,
                            std::span<std::uint8_t> buffer) {
    GPAIS_LEVEL("CONTROLMESSAGE", GPAIS_ARGS(window, message, wparam, buffer));
    // The control writes into a copy so that the caller's bytes change only after the call.
    std::vector<std::uint8_t> lent(buffer.begin(), buffer.end());
    const auto result =
        CONTROLMESSAGE(window, message, wparam, reinterpret_cast<LPARAM>(lent.data()));
    std::copy(lent.begin(), lent.end(), buffer.begin());
    return result;
}

}  // namespace gpais::ui
