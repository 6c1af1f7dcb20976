// Entry point of gpais-filter: the only place that knows the platform. Windows hands the
// arguments over as UTF-16; the console's code pages are the person's and stay as they are.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/command.hpp"
#include "errors/console_platform.hpp"
#include "errors/error_handler.hpp"
#include "errors/raise.hpp"
#include "rt/call_levels.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "base/system_libraries.hpp"
#include "base/text_convert.hpp"
#endif

namespace {

// An exception that gets this far is a failure nobody checked for (a product list too large
// for memory, say): it is reported in Klaidos.log in the current folder, told on standard error
// and ends the command with exit code 1, as in the Windows program.
int guarded_run(const std::vector<std::string>& arguments) {
    return gpais::at_boundary([&arguments] {
        GPAIS_LEVEL("main", GPAIS_ARGS(arguments));
        return gpais::cli::run_command(arguments, stdout, stderr);
    });
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    gpais::search_system_folder_only();
    gpais::install_error_handling(gpais::console_error_platform());
    // The document goes to standard output byte for byte, CR LF untouched.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    std::vector<std::string> arguments;
    for (int at = 1; at < argc; ++at)
        arguments.push_back(gpais::to_utf8(argv[at]));
    return guarded_run(arguments);
}
#else
int main(int argc, char** argv) {
    gpais::install_error_handling(gpais::console_error_platform());
    return guarded_run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
