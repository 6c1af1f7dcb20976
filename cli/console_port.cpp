#include "cli/console_port.hpp"

#include <cerrno>

#include "base/console_text.hpp"
#include "base/current_folder.hpp"
#include "base/paths.hpp"
#include "io/failure_causes.hpp"

namespace gpais::cli {

namespace {
constexpr std::string_view standard_output = "-";
}

void ConsolePort::show_message(std::string_view text, std::string_view, Icon) {
    (void)write_line(messages_, text);
}

std::string ConsolePort::choose_save_file(const SaveRequest& request) {
    return output_ ? *output_ : request.proposed_name;
}

std::string ConsolePort::current_folder() {
    return join_folder(read_current_folder(), {});
}

FileResult<void> FileOrStdoutPort::write_file(std::string_view path, std::string_view bytes) {
    if (path != standard_output)
        return files_.write_file(path, bytes);
    errno = 0;
    if (!write_text(document_out_, bytes)) {
        // A stream may fail without saying why; the person is then not told of "error 0".
        return io::errno_failure(errno != 0 ? errno : EIO);
    }
    return {};
}

}  // namespace gpais::cli
