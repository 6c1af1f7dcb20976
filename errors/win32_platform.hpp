#pragma once
// The Windows program's platform for failure reporting.

#include "errors/error_platform.hpp"

namespace gpais {

class Win32ErrorPlatform : public ErrorPlatform {
  public:
    LocalTime local_time() override;
    std::optional<std::string> windows_version_value(std::string_view name) override;
    std::string computer_name() override;
    std::string user_name() override;
    std::string environment(std::string_view name) override;
    std::string command_line() override;
    std::string current_folder() override;
    bool append_to_file(std::string_view path, std::string_view bytes, LogAccess access) override;
    void show_message(std::string_view text, std::string_view caption, Icon icon) override;
    void end_thread_dialogs() override;
    [[noreturn]] void exit_process(int code) override;
};

// One per process, made on first use.
[[nodiscard]] ErrorPlatform& win32_error_platform();

}  // namespace gpais
