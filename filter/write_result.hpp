#pragma once
// What a whole-file write came to.

#include <optional>
#include <utility>

#include "filter/file_error.hpp"

namespace gpais {

// Written, or the error it was not written for. Asked with ok(): it has no conversion to bool,
// since a result that tests true on failure reads as success at the call.
class [[nodiscard]] WriteResult {
  public:
    WriteResult() = default;
    // A failure converts, so that a writer returns its error as it is.
    WriteResult(FileError error)
        : error_(std::move(error)) {}  // NOLINT(google-explicit-constructor)

    [[nodiscard]] bool ok() const noexcept { return !error_.has_value(); }
    // Only for a result that is not ok().
    [[nodiscard]] const FileError& error() const noexcept { return *error_; }

  private:
    std::optional<FileError> error_;
};

}  // namespace gpais
