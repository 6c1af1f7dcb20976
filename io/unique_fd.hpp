#pragma once
// Owns one C runtime file descriptor. Closing is checked by the writer, so the destructor only
// covers the paths that already failed.

#include <utility>

#include "io/system_calls.hpp"

namespace gpais::io {

class unique_fd {
  public:
    explicit unique_fd(int fd) noexcept : fd_(fd) {}
    unique_fd(const unique_fd&) = delete;
    unique_fd& operator=(const unique_fd&) = delete;
    ~unique_fd() {
        if (fd_ >= 0)
            close_file(fd_);
    }
    [[nodiscard]] int get() const noexcept { return fd_; }
    // Closes now and tells whether the system accepted every byte.
    bool close() noexcept { return close_file(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

}  // namespace gpais::io
