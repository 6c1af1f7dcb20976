#pragma once
// A port of the person and the machine in one that answers from fields and records every call in
// order, so tests can check both what the run asked and when.

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "filter/ports.hpp"
#include "io/file_io.hpp"

namespace gpais::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    Icon icon;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
    friend void PrintTo(const ShownMessage& message, std::ostream* out) {
        *out << '"' << message.text << "\" (" << message.caption << ")";
    }
};

class FakePort : public UserPort, public MachinePort {
  public:
    // Answers
    std::map<std::string, std::string, std::less<>> files;  // path -> bytes; missing reads as ""
    std::string save_answer;                                // "" = the person cancels
    std::string folder = "C:\\Darbas\\";
    LocalTime now{2026, 12, 7, 9, 5, 0, 0};
    std::map<std::string, FileError, std::less<>> read_errors;  // path -> why it is not read
    FileResult<void> write_result;                              // what every write comes to
    bool real_files = false;  // read and write through file_io instead of `files`

    // Records
    std::vector<std::string>
        calls;  // "read:PATH", "message", "folder", "now", "choose", "write:PATH"
    std::vector<ShownMessage> messages;
    std::vector<SaveRequest> save_requests;
    std::vector<std::pair<std::string, std::string>> writes;

    void show_message(std::string_view text, std::string_view caption, Icon icon) override {
        calls.emplace_back("message");
        messages.push_back({std::string(text), std::string(caption), icon});
    }
    std::string choose_save_file(const SaveRequest& request) override {
        calls.emplace_back("choose");
        save_requests.push_back(request);
        return save_answer;
    }
    std::string current_folder() override {
        calls.emplace_back("folder");
        return folder;
    }
    LocalTime local_time() override {
        calls.emplace_back("now");
        return now;
    }
    FileResult<std::string> read_file(std::string_view path) override {
        calls.push_back("read:" + std::string(path));
        if (real_files)
            return read_file_bytes(path);
        if (const auto refused = read_errors.find(path); refused != read_errors.end())
            return refused->second;
        const auto found = files.find(path);
        return found == files.end() ? std::string() : found->second;
    }
    FileResult<void> write_file(std::string_view path, std::string_view bytes) override {
        calls.push_back("write:" + std::string(path));
        writes.emplace_back(std::string(path), std::string(bytes));
        if (real_files)
            return replace_file(path, bytes);
        return write_result;
    }
};

}  // namespace gpais::testing
