#pragma once
// The command line's answers to the filter run: messages become lines on standard error, the
// save chooser answers with --output or the proposed name, "-" writes to standard output.

#include <cstdio>
#include <optional>
#include <string>

#include "filter/ports.hpp"
#include "io/file_port.hpp"

namespace gpais::cli {

class ConsolePort final : public UserPort {
  public:
    ConsolePort(std::optional<std::string> output, std::FILE* messages)
        : output_(std::move(output)), messages_(messages) {}

    void show_message(std::string_view text, std::string_view caption, Icon icon) override;
    std::string choose_save_file(const SaveRequest& request) override;
    std::string current_folder() override;

  private:
    std::optional<std::string> output_;
    std::FILE* messages_;
};

// The machine's files, as FilePort reads and replaces them, but a write to "-" goes to standard
// output.
class FileOrStdoutPort final : public MachinePort {
  public:
    explicit FileOrStdoutPort(std::FILE* document_out) : document_out_(document_out) {}

    LocalTime local_time() override { return files_.local_time(); }
    FileResult<std::string> read_file(std::string_view path) override {
        return files_.read_file(path);
    }
    FileResult<void> write_file(std::string_view path, std::string_view bytes) override;

  private:
    FilePort files_;
    std::FILE* document_out_;
};

}  // namespace gpais::cli
