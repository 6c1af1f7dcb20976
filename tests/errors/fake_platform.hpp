#pragma once
// A platform that keeps files in memory and turns the end of the process into an exception,
// so that a fatal path can be followed to its end inside a test.

#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "errors/error_handler.hpp"
#include "errors/error_platform.hpp"

namespace gpais::testing {

struct ProcessExit {
    int code;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned icon;
};

class FakePlatform final : public ErrorPlatform {
  public:
    LocalTime time{2026, 12, 7, 9, 5, 3, 7};
    std::map<std::string, std::optional<std::string>> version_values{
        {"ProductName", "Windows 10 Pro"},
        {"ReleaseId", "2009"},
        {"BuildLabEx", "19041.1.amd64fre.vb_release.191206-1406"}};
    std::string computer = "PC1";
    std::string user = "Jonas";
    std::map<std::string, std::string> env;
    std::string command = "gpais-filtras.exe C:\\a.xml";
    std::string folder;  // the current directory; empty keeps every log under its bare name

    std::map<std::string, std::string> files;
    std::set<std::string> read_only;
    std::vector<LogAccess> accesses;
    std::vector<ShownMessage> messages;
    int dialogs_ended = 0;
    std::function<void()> on_user_name;  // lets a test fail inside the report builder
    std::function<void()> on_append;     // and in the writing of a log

    LocalTime local_time() override { return time; }
    std::optional<std::string> windows_version_value(std::string_view name) override {
        auto it = version_values.find(std::string(name));
        return it == version_values.end() ? std::nullopt : it->second;
    }
    std::string computer_name() override { return computer; }
    std::string user_name() override {
        if (on_user_name)
            on_user_name();
        return user;
    }
    std::string environment(std::string_view name) override {
        auto it = env.find(std::string(name));
        return it == env.end() ? "" : it->second;
    }
    std::string command_line() override { return command; }
    std::string current_folder() override { return folder; }
    bool append_to_file(std::string_view name, std::string_view bytes, LogAccess access) override {
        if (on_append)
            on_append();
        accesses.push_back(access);
        if (read_only.count(std::string(name)) != 0)
            return false;
        files[std::string(name)] += bytes;
        return true;
    }
    void show_message(std::string_view text, std::string_view caption, Icon icon) override {
        messages.push_back({std::string(text), std::string(caption), static_cast<unsigned>(icon)});
    }
    void end_thread_dialogs() override { ++dialogs_ended; }
    [[noreturn]] void exit_process(int code) override { throw ProcessExit{code}; }
};

// Runs `body` on a thread of its own, as a new process would: the crash report counter starts
// at 0 and no call levels are left over. Gives back the exit code if the process was ended.
inline std::optional<int> run_as_process(const std::function<void()>& body) {
    std::optional<int> exit_code;
    std::exception_ptr failure;
    std::thread([&] {
        try {
            body();
        } catch (const ProcessExit& exit) {
            exit_code = exit.code;
        } catch (...) {
            failure = std::current_exception();
        }
    }).join();
    if (failure)
        std::rethrow_exception(failure);
    return exit_code;
}

}  // namespace gpais::testing
