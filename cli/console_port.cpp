#include "cli/console_port.hpp"

#include <cerrno>
#include <filesystem>

#include "base/console_text.hpp"
#include "base/current_folder.hpp"
#include "io/write_errors.hpp"

namespace gpais::cli {

namespace {
constexpr std::string_view standard_output = "-";
}

void ConsolePort::show_message(std::string_view text, std::string_view, Icon) {
    std::string line(text);
    line += '\n';
    (void)write_text(messages_, line);
}

std::string ConsolePort::choose_save_file(const SaveRequest& request) {
    return output_ ? *output_ : request.proposed_name;
}

std::string ConsolePort::current_folder() {
    std::string result = read_current_folder();
    if (!result.empty() && result.back() != '/' && result.back() != '\\') {
        result += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    return result;
}

WriteResult ConsolePort::write_file(std::string_view path, std::string_view bytes) {
    if (path != standard_output)
        return FilePort::write_file(path, bytes);
    errno = 0;
    if (!write_text(document_out_, bytes)) {
        // A stream may fail without saying why; the person is then not told of "error 0".
        return io::errno_failure(errno != 0 ? errno : EIO);
    }
    return {};
}

}  // namespace gpais::cli
