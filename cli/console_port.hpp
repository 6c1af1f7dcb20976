#pragma once
// The command line's answers to the filter run: messages become lines on standard error, the
// save chooser answers with --output or the proposed name, "-" writes to standard output.

#include <cstdio>
#include <optional>
#include <string>

#include "io/file_port.hpp"

namespace gpais::cli {

class ConsolePort : public FilePort {
  public:
    ConsolePort(std::optional<std::string> output, std::FILE* document_out, std::FILE* messages)
        : output_(std::move(output)), document_out_(document_out), messages_(messages) {}

    void show_message(std::string_view text, std::string_view caption, Icon icon) override;
    std::string choose_save_file(const SaveRequest& request) override;
    std::string current_folder() override;
    WriteResult write_file(std::string_view path, std::string_view bytes) override;

  private:
    std::optional<std::string> output_;
    std::FILE* document_out_;
    std::FILE* messages_;
};

}  // namespace gpais::cli
