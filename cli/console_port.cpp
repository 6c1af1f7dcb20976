#include "cli/console_port.hpp"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "filter/file_io.hpp"

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
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    if (ec)
        return {};
    const std::u8string text = folder.u8string();
    std::string result(text.begin(), text.end());
    if (!result.empty() && result.back() != '/' && result.back() != '\\') {
        result += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    return result;
}

LocalTime ConsolePort::local_now() {
    // One thread, so the shared buffer of localtime is safe here and needs no platform variant.
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const std::tm* local = std::localtime(&seconds);
    if (local == nullptr)
        return {};
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    return LocalTime{local->tm_year + 1900,
                     static_cast<unsigned>(local->tm_mon + 1),
                     static_cast<unsigned>(local->tm_mday),
                     static_cast<unsigned>(local->tm_hour),
                     static_cast<unsigned>(local->tm_min),
                     static_cast<unsigned>(local->tm_sec),
                     static_cast<unsigned>(millis)};
}

std::string ConsolePort::read_file(std::string_view path) {
    return read_whole_file(path);
}

std::optional<WriteError> ConsolePort::write_file(std::string_view path, std::string_view bytes) {
    if (path != standard_output)
        return replace_file(path, bytes);
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), document_out_) != bytes.size() ||
        std::fflush(document_out_) != 0) {
        return write_error_from_errno(errno);
    }
    return std::nullopt;
}

}  // namespace gpais::cli
