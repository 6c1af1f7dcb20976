#pragma once
// The filter run meets the person through message boxes and the Save As dialog.

#include "filter/ports.hpp"

namespace gpais::ui {

class Win32Port final : public UserPort {
  public:
    void show_message(std::string_view text, std::string_view caption, Icon icon) override;
    std::string choose_save_file(const SaveRequest& request) override;
    std::string current_folder() override;
};

}  // namespace gpais::ui
