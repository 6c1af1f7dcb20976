#include "ui/control_sets.hpp"

#include "ui/resources/resource.h"

namespace gpais::ui {

std::array<ControlVisibility, 7> visibility_after_click(int clicked_id) noexcept {
    constexpr std::array<int, 7> switched = {IDC_LABEL_FROM, IDC_CAL_FROM,  IDC_LABEL_TO,
                                             IDC_CAL_TO,     IDC_LABEL_LOG, IDC_BROWSE_LOG,
                                             IDC_EDIT_LOG};
    const bool period_mode = clicked_id == IDC_MODE_PERIOD;
    std::array<ControlVisibility, 7> result{};
    for (std::size_t i = 0; i < switched.size(); ++i) {
        const bool calendar_control = switched[i] / 100 % 10 == 3;
        result[i] = {switched[i], calendar_control == period_mode};
    }
    return result;
}

}  // namespace gpais::ui
