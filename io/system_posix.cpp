#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "io/system_calls.hpp"
#include "io/unique_fd.hpp"
#include "io/write_errors.hpp"

namespace gpais::io {

namespace fs = std::filesystem;

int open_for_reading(const fs::path& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

int create_new_file(const fs::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int close_file(int fd) noexcept {
    return ::close(fd);
}

long long read_some(int fd, char* into, std::size_t size) noexcept {
    while (true) {
        const ssize_t got = ::read(fd, into, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
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

void clear_runtime_error() noexcept {
    errno = 0;
}

WriteError runtime_failure() {
    return errno_failure(errno);
}

WriteError library_failure(const std::error_code& ec) {
    return errno_failure(ec.value());
}

WriteError invalid_name_failure() {
    return errno_failure(EINVAL);
}

WriteResult write_all(int fd, std::string_view bytes) {
    constexpr std::size_t chunk = std::size_t{1} << 30;
    while (!bytes.empty()) {
        const std::size_t want = bytes.size() < chunk ? bytes.size() : chunk;
        const ssize_t done = ::write(fd, bytes.data(), want);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return errno_failure(errno);
        }
        // Nothing taken and no error given: the only reason a file refuses bytes so.
        if (done == 0)
            return errno_failure(ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return {};
}

WriteResult flush_to_disk(int fd) {
    while (::fsync(fd) != 0) {
        if (errno != EINTR)
            return errno_failure(errno);
    }
    return {};
}

// Asked of the system, not worked out from the permission bits: a file of another user, or on
// a read-only file system, is one the person has no right to write.
WriteResult may_write(const fs::path& path) {
    if (::access(path.c_str(), W_OK) != 0)
        return errno_failure(errno);
    return {};
}

WriteResult move_over(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec)
        return library_failure(ec);
    return {};
}

// The move is an entry in the folder: until the folder reaches the disk as well, a power cut
// can bring back the old entry. A folder that may be written but not read cannot be opened to
// be synced; the move then stays as durable as the file system makes it on its own.
WriteResult sync_folder_of(const fs::path& file) {
    fs::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const unique_fd handle(fd);
    WriteResult synced = flush_to_disk(handle.get());
    // Some file systems cannot sync a folder and say so with EINVAL; nothing more can be done.
    if (!synced.ok() && synced.error().code == EINVAL)
        return {};
    return synced;
}

}  // namespace gpais::io
