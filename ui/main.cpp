// The GUI program: no console, one modal dialog, and all its work on one thread (the error
// handling keeps a second one waiting to report a stack overflow).

#include <windows.h>

#include "base/system_libraries.hpp"
#include "errors/error_handler.hpp"
#include "errors/raise.hpp"
#include "errors/win32_platform.hpp"
#include "ui/startup.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    gpais::search_system_folder_only();
    // ERRORSYS and the catchers of faults and escaped exceptions, before anything else runs.
    gpais::install_error_handling(gpais::win32_error_platform());
    gpais::at_boundary([] { return gpais::ui::MAIN(); });
    // The exit code is the process's error level: 0 unless the error handler ended the
    // process with 1 on its way out.
    return 0;
}
