#pragma once
// Everything failure reporting needs from the machine, behind one small interface: the Windows
// program, the console command and the tests each give their own.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gpais {

struct ClockReading {
    int year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// How a log is opened for appending; both share reading and writing with other processes and
// create a missing file.
enum class LogAccess {
    read_write,  // the crash report log
    write_only,  // the trace log
};

class ErrorPlatform {
  public:
    virtual ~ErrorPlatform() = default;

    [[nodiscard]] virtual ClockReading local_time() = 0;
    // A text value under HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion, read on its own;
    // nothing when it is missing, unreadable or a number.
    [[nodiscard]] virtual std::optional<std::string> windows_version_value(
        std::string_view name) = 0;
    // Empty when the system cannot tell; the report then falls back to the environment.
    [[nodiscard]] virtual std::string computer_name() = 0;
    [[nodiscard]] virtual std::string user_name() = 0;
    [[nodiscard]] virtual std::string environment(std::string_view name) = 0;
    [[nodiscard]] virtual std::string command_line() = 0;
    // Opens the file by its bare name in the current folder, moves to its end, writes the bytes
    // in one write and closes it; false when it could not be opened.
    virtual bool append_to_file(std::string_view bare_name, std::string_view bytes,
                                LogAccess access) = 0;
    virtual void show_message(std::string_view text, std::string_view caption, unsigned icon) = 0;
    virtual void end_thread_dialogs() = 0;
    [[noreturn]] virtual void exit_process(int code) = 0;
};

// The platform failure reporting uses from now on; the program sets it once at start-up.
void set_error_platform(ErrorPlatform& platform) noexcept;
// The platform set last. Until one is set, a plain one that writes to the standard streams and
// ends the process with std::_Exit.
[[nodiscard]] ErrorPlatform& error_platform() noexcept;

}  // namespace gpais
