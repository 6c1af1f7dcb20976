#pragma once
// What a filter run needs from outside, split by what it serves: the machine (files and the
// clock), which both programs answer alike, and the person (messages, where to save, the
// folder the person works in), which the Windows program answers with message boxes and the
// Save As dialog, the command line with console output, and the tests with fakes that record
// every call.

#include <string>
#include <string_view>

#include "base/local_time.hpp"
#include "filter/file_result.hpp"
#include "filter/messages.hpp"

namespace gpais {

class MachinePort {
  public:
    virtual ~MachinePort() = default;

    virtual LocalTime local_time() = 0;
    // All bytes of the file (none for an empty path), or why it could not be read at all.
    virtual FileResult<std::string> read_file(std::string_view path) = 0;
    // Replaces the file whole or leaves it untouched; never leaves a partial or temporary file.
    virtual FileResult<void> write_file(std::string_view path, std::string_view bytes) = 0;
};

// What the run knows when it asks where to save the kept positions; how a chooser shows the
// question is the chooser's own business.
struct SaveRequest {
    std::string title;
    std::string initial_folder;
    std::string proposed_name;
};

class UserPort {
  public:
    virtual ~UserPort() = default;

    virtual void show_message(std::string_view text, std::string_view caption, Icon icon) = 0;
    // The chosen path, or an empty text when the person cancels.
    virtual std::string choose_save_file(const SaveRequest& request) = 0;
    // The process's current folder, ending in one path separator; empty when it cannot be read
    // or the person's chooser could not take it.
    virtual std::string current_folder() = 0;
};

}  // namespace gpais
