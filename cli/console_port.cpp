#include "cli/console_port.hpp"

#include <cerrno>
#include <filesystem>

#include "base/current_folder.hpp"
#include "io/write_errors.hpp"

namespace gpais::cli {

namespace {
constexpr std::string_view standard_output = "-";
}

void ConsolePort::show_message(std::string_view text, std::string_view, Icon) {
    std::fwrite(text.data(), 1, text.size(), messages_);
    std::fputc('\n', messages_);
    std::fflush(messages_);
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
    if (std::fwrite(bytes.data(), 1, bytes.size(), document_out_) != bytes.size() ||
        std::fflush(document_out_) != 0) {
        // A stream may fail without saying why; the person is then not told of "error 0".
        return io::errno_failure(errno != 0 ? errno : EIO);
    }
    return {};
}

}  // namespace gpais::cli
