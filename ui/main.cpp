// The GUI program: no console, one thread, one modal dialog.

#include <windows.h>

#include "base/system_libraries.hpp"
#include "errors/raise.hpp"
#include "ui/startup.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    gpais::search_system_folder_only();
    gpais::ui::install_error_handler();
    gpais::at_boundary([] { return gpais::ui::MAIN(); });
    // The exit code is the process's error level: 0 unless the error handler ended the
    // process with 1 on its way out.
    return 0;
}
