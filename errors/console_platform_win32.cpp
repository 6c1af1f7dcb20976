#include "errors/console_platform.hpp"

#include "errors/win32_platform.hpp"

namespace gpais {

namespace {

// Windows facts come from Windows even for the console command; only the message and the
// dialogs differ.
class ConsolePlatform final : public Win32ErrorPlatform {
  public:
    void show_message(std::string_view text, std::string_view caption, Icon) override {
        write_console_message(text, caption);
    }
    void end_thread_dialogs() override {}
};

}  // namespace

ErrorPlatform& console_error_platform() {
    static ConsolePlatform platform;
    return platform;
}

}  // namespace gpais
