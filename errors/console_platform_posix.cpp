#include "errors/console_platform.hpp"

#include <fcntl.h>
#include <sys/stat.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "base/current_folder.hpp"

namespace gpais {

namespace {

class ConsolePlatform final : public ErrorPlatform {
  public:
    LocalTime local_time() override { return read_local_time(); }

    std::optional<std::string> windows_version_value(std::string_view) override {
        return std::nullopt;
    }

    std::string computer_name() override {
        char name[256] = {};
        if (gethostname(name, sizeof name - 1) != 0)
            return {};
        return name;
    }

    std::string user_name() override { return {}; }

    std::string environment(std::string_view name) override {
        const char* value = std::getenv(std::string(name).c_str());
        return value != nullptr ? value : "";
    }

    std::string command_line() override {
        std::ifstream in("/proc/self/cmdline", std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        while (!text.empty() && text.back() == '\0')
            text.pop_back();
        for (char& c : text) {
            if (c == '\0')
                c = ' ';
        }
        return text;
    }

    std::string current_folder() override { return read_current_folder(); }

    bool append_to_file(std::string_view path, std::string_view bytes, LogAccess access) override {
        // The superuser may write anything; a log someone marked read-only stays unchanged all
        // the same, as it does on Windows.
        struct stat status {};
        const std::string name(path);
        if (::stat(name.c_str(), &status) == 0 && (status.st_mode & 0222) == 0)
            return false;
        const int mode = access == LogAccess::read_write ? O_RDWR : O_WRONLY;
        const int fd = ::open(name.c_str(), mode | O_CREAT | O_APPEND, 0666);
        if (fd < 0)
            return false;
        // One write, so that a report from another process cannot land inside this one.
        (void)::write(fd, bytes.data(), bytes.size());
        ::close(fd);
        return true;
    }

    void show_message(std::string_view text, std::string_view caption, Icon) override {
        write_console_message(text, caption);
    }

    void end_thread_dialogs() override {}

    [[noreturn]] void exit_process(int code) override {
        std::fflush(nullptr);
        std::_Exit(code);
    }
};

}  // namespace

ErrorPlatform& console_error_platform() {
    static ConsolePlatform platform;
    return platform;
}

}  // namespace gpais
