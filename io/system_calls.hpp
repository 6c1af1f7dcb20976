#pragma once
// The few calls whose form differs between Windows and Linux, each a small leaf with one
// implementation per platform (system_win32.cpp, system_posix.cpp), so that the reading and
// replacing in file_io.cpp read the same on both.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "filter/write_result.hpp"

namespace gpais::io {

// C runtime file descriptors, shared with every other reader and writer as a plain open is,
// and never inherited by a child process. -1 when the open fails.
[[nodiscard]] int open_for_reading(const std::filesystem::path& path);
// Creates the file only if it does not exist yet, so two writers never share a temporary.
[[nodiscard]] int create_new_file(const std::filesystem::path& path);
// 0 when the system accepted every byte (some file systems report a failed write only here).
int close_file(int fd) noexcept;

// Up to `size` bytes: the count read (0 at the end of the file), or -1 on an error other than
// an interrupted call.
[[nodiscard]] long long read_some(int fd, char* into, std::size_t size) noexcept;

// A product list runs to hundreds of megabytes; the system may fill a buffer that large faster
// with large pages, where it hands them out only to regions that ask.
void prefer_huge_pages(char* data, std::size_t size) noexcept;

// Called before a C runtime call whose failure is reported, so that a code left over from an
// earlier call is never taken for its cause.
void clear_runtime_error() noexcept;
// Why the C runtime call just made failed (an open or a close).
[[nodiscard]] WriteError runtime_failure();
// Why a call of the standard library's file system failed.
[[nodiscard]] WriteError library_failure(const std::error_code& ec);
// What the system says of a name that names nothing.
[[nodiscard]] WriteError invalid_name_failure();

// Every byte or the cause. A write may take fewer bytes than offered (a disk filling up does so
// before it refuses), so the rest is offered again until the system says why it refuses.
[[nodiscard]] WriteResult write_all(int fd, std::string_view bytes);
// Puts the file's bytes on the disk now. A rename can reach the disk before the data it names,
// and a power cut in between leaves an empty or partial file where the old one was.
[[nodiscard]] WriteResult flush_to_disk(int fd);
// Ok when this user has the right to write the existing file (a file of another user, or on a
// read-only file system, is not).
[[nodiscard]] WriteResult may_write(const std::filesystem::path& path);
// Moves the finished file over the target in one step.
[[nodiscard]] WriteResult move_over(const std::filesystem::path& from,
                                    const std::filesystem::path& to);
// Puts the moved file's folder entry on the disk, where the system needs to be asked for it.
[[nodiscard]] WriteResult sync_folder_of(const std::filesystem::path& file);

}  // namespace gpais::io
