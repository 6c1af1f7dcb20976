#pragma once
// The few calls whose form differs between Windows and Linux, each a small leaf with one
// implementation per platform (system_win32.cpp, system_posix.cpp), so that the reading and
// replacing in file_io.cpp read the same on both.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/unique_handle.hpp"
#include "filter/file_result.hpp"

namespace gpais::io {

// An open file as the system names it, and as UniqueFile owns it: a HANDLE on Windows, a
// descriptor on Linux. Closing is checked by the writer where it matters, so the owner's own
// close only covers the ways that already failed.
using native_file = UniqueFile::type;

#ifdef _WIN32
// UTF-16, absolute, and with "\\?\" when long (base/long_path.hpp).
using system_path = std::wstring;
#else
using system_path = std::string;
#endif

// A UTF-8 path in the form the system's calls take it.
[[nodiscard]] system_path system_path_of(std::string_view utf8);

// Opens an existing file to read it, shared with other readers and writers, and tells its size.
// A file held by another program without read sharing is waited for a moment (io/patience.hpp).
// Leaves `file` closed, without an error, for a path that is no regular file (a device, a pipe),
// which reads as nothing.
[[nodiscard]] FileResult<void> open_for_reading(const system_path& path, UniqueFile& file,
                                                std::uint64_t& size);

// Up to `size` bytes: the count read (0 at the end of the file), or -1 on an error other than an
// interrupted call; last_failure() then says why.
[[nodiscard]] long long read_some(native_file file, char* into, std::size_t size) noexcept;
// Up to `size` bytes, more than none: the count taken, or -1; a file that takes nothing without
// saying why is a full disk.
[[nodiscard]] long long write_some(native_file file, const char* bytes, std::size_t size) noexcept;
// Why the read or write just made failed, in the system's own code and words.
[[nodiscard]] FileError last_failure();

// A product list runs to hundreds of megabytes; the system may fill a buffer that large faster
// with large pages, where it hands them out only to regions that ask.
void prefer_huge_pages(char* data, std::size_t size) noexcept;

// What an existing target passes on to the file that replaces it.
struct TargetState {
    bool exists = false;
    unsigned permissions = 0;  // Linux: its permission bits
};

// Ok when the target may be replaced: missing, or a regular file the person may change. Refuses
// a folder or another non-regular file, a file marked read-only (also where a process with full
// rights could write it, since the person meant to keep it) and one this user may not write. A
// link is followed, so that the file it leads to is replaced and the link stays a link.
[[nodiscard]] FileResult<void> check_target(system_path& target, TargetState& state);

// Creates the file only if it does not exist yet, so two writers never share a temporary; open
// for this process alone until it replaces the target.
[[nodiscard]] FileResult<void> create_new_file(const system_path& path, UniqueFile& file);
// The file to be created exists already.
[[nodiscard]] bool is_name_taken(const FileError& error) noexcept;

// The target's permissions on the new file, before it reaches the disk.
void keep_permissions(native_file file, const TargetState& state) noexcept;
// Puts the file's bytes on the disk now. A rename can reach the disk before the data it names,
// and a power cut in between leaves an empty or partial file where the old one was.
[[nodiscard]] FileResult<void> flush_to_disk(native_file file);
// Moves the finished file over the target in one step; may close `file` on the way.
[[nodiscard]] FileResult<void> move_over(UniqueFile& file, const system_path& from,
                                         const system_path& to);
// Puts the move itself on the disk, where the system needs to be asked for it, and closes
// `file` if it is still open.
[[nodiscard]] FileResult<void> make_move_durable(UniqueFile& file, const system_path& to);
// Removes a temporary that never replaced its target, open or closed.
void remove_temporary(UniqueFile& file, const system_path& path) noexcept;

// What the system says of a name that names nothing.
[[nodiscard]] FileError invalid_name_failure();

}  // namespace gpais::io
