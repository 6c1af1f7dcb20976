#pragma once
// What a whole-file read came to: every byte of the file, or why it could not be read at all.

#include <string>
#include <utility>
#include <variant>

#include "filter/file_error.hpp"

namespace gpais {

// Asked with ok(), as a WriteResult is. An empty file, and an empty path, read as ok() with no
// bytes: only a file that could not be read carries a cause.
class [[nodiscard]] ReadResult {
  public:
    ReadResult() = default;
    // Both convert, so that a reader returns its bytes or its error as they are.
    ReadResult(std::string bytes)  // NOLINT(google-explicit-constructor)
        : outcome_(std::move(bytes)) {}
    ReadResult(FileError error)  // NOLINT(google-explicit-constructor)
        : outcome_(std::move(error)) {}

    [[nodiscard]] bool ok() const noexcept { return outcome_.index() == 0; }
    // The file's bytes; moved out, not copied. Empty for a result that is not ok().
    [[nodiscard]] std::string take_bytes() {
        return ok() ? std::move(std::get<0>(outcome_)) : std::string();
    }
    // Only for a result that is not ok().
    [[nodiscard]] const FileError& error() const noexcept { return std::get<1>(outcome_); }

  private:
    std::variant<std::string, FileError> outcome_;
};

}  // namespace gpais
