#pragma once
// Everything failure reporting needs from the machine, behind one small interface: the Windows
// program, the console command and the tests each give their own.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/local_time.hpp"
#include "base/message_box.hpp"

namespace gpais {

// How a log is opened for appending; both share reading and writing with other processes and
// create a missing file.
enum class LogAccess {
    read_write,  // the crash report log
    write_only,  // the trace log
};

class ErrorPlatform {
  public:
    virtual ~ErrorPlatform() = default;

    [[nodiscard]] virtual LocalTime local_time() = 0;
    // A text value under HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion, read on its own;
    // nothing when it is missing, unreadable or a number.
    [[nodiscard]] virtual std::optional<std::string> windows_version_value(
        std::string_view name) = 0;
    // Empty when the system cannot tell; the report then falls back to the environment.
    [[nodiscard]] virtual std::string computer_name() = 0;
    [[nodiscard]] virtual std::string user_name() = 0;
    [[nodiscard]] virtual std::string environment(std::string_view name) = 0;
    [[nodiscard]] virtual std::string command_line() = 0;
    // The process's current directory as the system gives it now; empty when it cannot tell.
    [[nodiscard]] virtual std::string current_folder() = 0;
    // Opens the file, moves to its true end, writes the bytes in one write and closes it; false
    // when it could not be opened or its end could not be reached (nothing is then written, so
    // an older report is never overwritten).
    virtual bool append_to_file(std::string_view path, std::string_view bytes,
                                LogAccess access) = 0;
    virtual void show_message(std::string_view text, std::string_view caption, Icon icon) = 0;
    virtual void end_thread_dialogs() = 0;
    [[noreturn]] virtual void exit_process(int code) = 0;
};

// The platform failure reporting uses from now on; the program sets it once at start-up.
void set_error_platform(ErrorPlatform& platform) noexcept;
// The logs lie in the folder the program was started in: the current directory taken once at
// start-up. A file chooser may move the current directory while it is open, and the person is
// told to send the report from the start folder.
void remember_start_folder(std::string folder);
// The start folder joined with a log's bare name; the bare name alone until a folder is known.
[[nodiscard]] std::string log_path(std::string_view bare_name);

// The platform set last. Until one is set, the console command's (console_platform.hpp): its
// messages go to standard error, and it ends the process as that command's does.
[[nodiscard]] ErrorPlatform& error_platform() noexcept;

}  // namespace gpais
