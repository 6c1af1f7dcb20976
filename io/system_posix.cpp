#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "base/paths.hpp"
#include "io/failure_causes.hpp"
#include "io/system_calls.hpp"

namespace gpais::io {

namespace fs = std::filesystem;

namespace {

// The folder `path` lies in, as a name the calls open: "." for a bare name's current folder.
system_path folder_to_open(const system_path& path) {
    const std::string_view folder = split_path(path).folder;
    return folder.empty() ? system_path(".") : system_path(folder);
}

// ENOENT says only that something on the way is missing: the file, when its folder is there.
FileError missing_failure(const system_path& path) {
    struct stat status {};
    if (::stat(folder_to_open(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        return refusal_with_code(FileCause::file_missing, ENOENT);
    return errno_failure(ENOENT);
}

}  // namespace

system_path system_path_of(std::string_view utf8) {
    return system_path(utf8);
}

FileResult<void> open_for_reading(const system_path& path, UniqueFile& file, std::uint64_t& size) {
    // Not blocking, so that a pipe without a writer does not hold the run; a regular file reads
    // the same either way.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return missing_failure(path);
        return errno_failure(errno);
    }
    UniqueFile opened(fd);
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return errno_failure(errno);
    if (S_ISDIR(status.st_mode))
        return refusal_with_code(FileCause::path_is_folder, EISDIR);
    if (!S_ISREG(status.st_mode))
        return {};
    file.reset(opened.release());
    size = static_cast<std::uint64_t>(status.st_size);
    return {};
}

long long read_some(native_file file, char* into, std::size_t size) noexcept {
    while (true) {
        const ssize_t got = ::read(file, into, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

long long write_some(native_file file, const char* bytes, std::size_t size) noexcept {
    while (true) {
        const ssize_t done = ::write(file, bytes, size);
        if (done > 0)
            return done;
        if (done == 0) {
            // Nothing taken and no error given: the only reason a file refuses bytes so.
            errno = ENOSPC;
            return -1;
        }
        if (errno != EINTR)
            return -1;
    }
}

FileError last_failure() {
    return errno_failure(errno);
}

// Filling a buffer page by page costs one fault per 4 KB, a large share of the whole read.
// Linux hands out 2 MB pages only to regions that ask for them, and only for the 2 MB-aligned
// stretches inside them.
void prefer_huge_pages([[maybe_unused]] char* data, [[maybe_unused]] std::size_t size) noexcept {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t huge_page = std::uintptr_t{2} << 20;
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (address + huge_page - 1) & ~(huge_page - 1);
    const std::uintptr_t end = (address + size) & ~(huge_page - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

FileResult<void> check_target(system_path& target, TargetState& state) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path resolved = fs::canonical(target, ec);
        if (ec)
            return errno_failure(ec.value());
        target = resolved.string();
    }
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) {
        if (errno == ENOENT)
            return {};
        return errno_failure(errno);
    }
    if (S_ISDIR(status.st_mode))
        return refusal(FileCause::path_is_folder);
    // A device or a pipe is not a list the person could keep; it is not replaced.
    if (!S_ISREG(status.st_mode))
        return refusal(FileCause::access_denied);
    // The permission bits come first, not the system's answer: root would be told it may write.
    if ((status.st_mode & S_IWUSR) == 0)
        return refusal(FileCause::read_only);
    // Asked of the system: a file of another user, or on a read-only file system, is one the
    // person has no right to write.
    if (::access(target.c_str(), W_OK) != 0)
        return errno_failure(errno);
    state.exists = true;
    state.permissions = status.st_mode & 07777;
    return {};
}

FileResult<void> create_new_file(const system_path& path, UniqueFile& file) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno_failure(errno);
    file.reset(fd);
    return {};
}

bool is_name_taken(const FileError& error) noexcept {
    return error.code == EEXIST;
}

void keep_permissions(native_file file, const TargetState& state) noexcept {
    if (state.exists)
        ::fchmod(file, static_cast<mode_t>(state.permissions));
}

FileResult<void> flush_to_disk(native_file file) {
    while (::fsync(file) != 0) {
        if (errno != EINTR)
            return errno_failure(errno);
    }
    return {};
}

// Closed first and checked: some file systems (NFS) report a failed write only at the close.
FileResult<void> move_over(UniqueFile& file, const system_path& from, const system_path& to) {
    if (::close(file.release()) != 0)
        return errno_failure(errno);
    if (::rename(from.c_str(), to.c_str()) != 0)
        return errno_failure(errno);
    return {};
}

// The move is an entry in the folder: until the folder reaches the disk as well, a power cut
// can bring back the old entry. A folder that may be written but not read cannot be opened to
// be synced; the move then stays as durable as the file system makes it on its own.
FileResult<void> make_move_durable(UniqueFile& file, const system_path& to) {
    file.reset();
    const int fd = ::open(folder_to_open(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const UniqueFile folder(fd);
    FileResult<void> synced = flush_to_disk(fd);
    // Some file systems cannot sync a folder and say so with EINVAL; nothing more can be done.
    if (!synced.ok() && synced.error().code == EINVAL)
        return {};
    return synced;
}

void remove_temporary(UniqueFile& file, const system_path& path) noexcept {
    file.reset();
    ::unlink(path.c_str());
}

FileError invalid_name_failure() {
    return errno_failure(EINVAL);
}

}  // namespace gpais::io
