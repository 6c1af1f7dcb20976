#pragma once
// What a whole-file write came to, in the terms the person can act on. A read that fails is
// told with the same causes (filter/read_result.hpp).

#include <optional>
#include <string>
#include <utility>

namespace gpais {

// What stopped a whole-file write or read.
enum class WriteCause {
    disk_full,
    file_missing,  // the folder is there, the file is not
    folder_missing,
    path_is_folder,
    read_only,      // the file is marked read-only
    in_use,         // another program holds the file (a sharing or lock violation on Windows)
    access_denied,  // no right to write (or read) there
    name_too_long,  // longer than the system takes for a name or a path
    other,          // known only by the system's own code and words
};

// Why a whole-file write or read did not happen. The code and text are the system's own (errno and
// its description, or GetLastError and FormatMessage on Windows), kept for every cause so a
// report can name them; the person is shown them only for `other`.
struct WriteError {
    WriteCause cause = WriteCause::other;
    unsigned long code = 0;
    std::string system_text;
};

// Written, or the error it was not written for. Asked with ok(): it has no conversion to bool,
// since a result that tests true on failure reads as success at the call.
class [[nodiscard]] WriteResult {
  public:
    WriteResult() = default;
    // A failure converts, so that a writer returns its error as it is.
    WriteResult(WriteError error)
        : error_(std::move(error)) {}  // NOLINT(google-explicit-constructor)

    [[nodiscard]] bool ok() const noexcept { return !error_.has_value(); }
    // Only for a result that is not ok().
    [[nodiscard]] const WriteError& error() const noexcept { return *error_; }

  private:
    std::optional<WriteError> error_;
};

}  // namespace gpais
