#include "ui/win32_port.hpp"

#include "ui/chooser_fields.hpp"
#include "ui/choosers.hpp"

namespace gpais::ui {

void Win32Port::show_message(std::string_view text, std::string_view caption, Icon icon) {
    SHOWMESSAGE(text, caption, icon);
}

std::string Win32Port::choose_save_file(const SaveRequest& request) {
    const ChooserSettings settings = list_save_settings();
    // Only one path can be written to, so any further NUL-separated names are not passed on.
    return std::string{first_path(CHOOSESAVEFILE(request.title, request.initial_folder,
                                                 settings.default_extension, settings.file_types,
                                                 settings.filter_index, request.proposed_name))};
}

std::string Win32Port::current_folder() {
    return CURRENTFOLDER();
}

}  // namespace gpais::ui
