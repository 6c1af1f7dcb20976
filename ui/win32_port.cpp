#include "ui/win32_port.hpp"

#include <windows.h>

#include "filter/file_io.hpp"
#include "ui/chooser_text.hpp"
#include "ui/choosers.hpp"

namespace gpais::ui {

void Win32Port::show_message(std::string_view text, std::string_view caption, Icon icon) {
    SHOWMESSAGE(text, caption, icon);
}

std::string Win32Port::choose_save_file(const SaveRequest& request) {
    // Only one path can be written to, so any further NUL-separated names are not passed on.
    return std::string{first_path(CHOOSESAVEFILE(request.title, request.initial_folder,
                                                 request.default_extension, request.file_types,
                                                 request.filter_index, request.proposed_name))};
}

std::string Win32Port::current_folder() {
    return CURRENTFOLDER();
}

LocalTime Win32Port::local_now() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return LocalTime{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                     now.wMinute, now.wSecond, now.wMilliseconds};
}

std::string Win32Port::read_file(std::string_view path) {
    return read_whole_file(path);
}

std::optional<WriteError> Win32Port::write_file(std::string_view path, std::string_view bytes) {
    return replace_file(path, bytes);
}

}  // namespace gpais::ui
