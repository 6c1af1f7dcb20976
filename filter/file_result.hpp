#pragma once
// What a file operation came to: its value, or the FileError that stopped it. One shape for a
// read, a write and every system call beneath them, so a failure passes up unchanged.

#include <optional>
#include <utility>
#include <variant>

#include "filter/file_error.hpp"

namespace gpais {

// Asked with ok(): it has no conversion to bool, since a result that tests true on failure
// reads as success at the call. Both a value and an error convert, so that an operation returns
// either as it is.
template <typename T>
class [[nodiscard]] FileResult {
  public:
    FileResult() = default;
    FileResult(T value)  // NOLINT(google-explicit-constructor)
        : outcome_(std::in_place_index<0>, std::move(value)) {}
    FileResult(FileError error)  // NOLINT(google-explicit-constructor)
        : outcome_(std::in_place_index<1>, std::move(error)) {}

    [[nodiscard]] bool ok() const noexcept { return outcome_.index() == 0; }
    // The value, moved out rather than copied (a whole file can run to gigabytes); an empty
    // value for a result that is not ok().
    [[nodiscard]] T take_value() { return ok() ? std::move(std::get<0>(outcome_)) : T(); }
    // Only for a result that is not ok().
    [[nodiscard]] const FileError& error() const noexcept { return std::get<1>(outcome_); }

  private:
    std::variant<T, FileError> outcome_;
};

// An operation that gives nothing back but may fail: a write, a move, a flush.
template <>
class [[nodiscard]] FileResult<void> {
  public:
    FileResult() = default;
    FileResult(FileError error)  // NOLINT(google-explicit-constructor)
        : error_(std::move(error)) {}

    [[nodiscard]] bool ok() const noexcept { return !error_.has_value(); }
    // Only for a result that is not ok().
    [[nodiscard]] const FileError& error() const noexcept { return *error_; }

  private:
    std::optional<FileError> error_;
};

}  // namespace gpais
