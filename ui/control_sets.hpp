#pragma once
// Which controls each filter mode shows. The mode lives only in the check state of the mode
// buttons; the dialog derives the visible set from the button that was clicked.

#include <array>

namespace gpais::ui {

struct ControlVisibility {
    int id;
    bool visible;
    friend bool operator==(const ControlVisibility&, const ControlVisibility&) = default;
};

// For 301, 303, 311, 313, 401, 402, 403 in this order: a calendar control (hundreds digit 3)
// is visible exactly when the supply-start button was clicked, an error-log control exactly
// when it was not.
[[nodiscard]] std::array<ControlVisibility, 7> visibility_after_click(int clicked_id) noexcept;

}  // namespace gpais::ui
