#include "filter/file_io.hpp"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <new>
#include <random>
#include <system_error>

#include "errors/call_levels.hpp"
#include "filter/bytes.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "errors/text_convert.hpp"
#include "errors/unique_handle.hpp"
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace gpais {

namespace fs = std::filesystem;

namespace {

// Owns one C runtime file descriptor; closing is checked by the writer, so the destructor
// only covers the paths that already failed.
class unique_fd {
  public:
    explicit unique_fd(int fd) noexcept : fd_(fd) {}
    unique_fd(const unique_fd&) = delete;
    unique_fd& operator=(const unique_fd&) = delete;
    ~unique_fd() {
        if (fd_ >= 0)
            close_fd(fd_);
    }
    [[nodiscard]] int get() const noexcept { return fd_; }
    [[nodiscard]] bool valid() const noexcept { return fd_ >= 0; }
    // Closes now and tells whether the system accepted every byte (some file systems report
    // a failed write only here).
    bool close() noexcept {
        const int fd = fd_;
        fd_ = -1;
        return close_fd(fd) == 0;
    }

  private:
    static int close_fd(int fd) noexcept {
#ifdef _WIN32
        return ::_close(fd);
#else
        return ::close(fd);
#endif
    }
    int fd_;
};

// Removes the temporary file unless it was moved into place.
class temporary_file {
  public:
    explicit temporary_file(fs::path path) : path_(std::move(path)) {}
    temporary_file(const temporary_file&) = delete;
    temporary_file& operator=(const temporary_file&) = delete;
    ~temporary_file() {
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }
    [[nodiscard]] const fs::path& path() const noexcept { return path_; }
    void release() noexcept { path_.clear(); }

  private:
    fs::path path_;
};

// Creates the file only if it does not exist yet, so two writers never share a temporary.
int create_new_file(const fs::path& path) {
#ifdef _WIN32
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
#else
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

// ".XXXXXXXX.tmp": beside the target, so the final move stays on one volume.
std::string temporary_suffix() {
    static std::mt19937_64 generator{
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    constexpr char digits[] = "0123456789abcdef";
    std::uint64_t value = generator();
    std::string suffix = ".00000000.tmp";
    for (std::size_t at = 1; at <= 8; ++at) {
        suffix[at] = digits[value & 15];
        value >>= 4;
    }
    return suffix;
}

// Shared with every other reader and writer, as a plain C runtime open is.
int open_for_reading(const fs::path& path) {
#ifdef _WIN32
    return ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
#else
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
}

// Reads until `size` bytes are in or the file ends: the count read, or nothing on a read error.
std::optional<std::size_t> read_into(int fd, char* into, std::size_t size) {
    constexpr std::size_t chunk = std::size_t{1} << 30;
    std::size_t done = 0;
    while (done < size) {
        const std::size_t want = size - done < chunk ? size - done : chunk;
#ifdef _WIN32
        const int got = ::_read(fd, into + done, static_cast<unsigned>(want));
#else
        const ssize_t got = ::read(fd, into + done, want);
#endif
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

// A product list runs to hundreds of megabytes; filling its buffer page by page costs one fault
// per 4 KB, a large share of the whole read. Linux hands out 2 MB pages only to regions that ask
// for them, and only for the 2 MB-aligned stretches inside them.
void prefer_huge_pages([[maybe_unused]] char* data, [[maybe_unused]] std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t huge_page = std::uintptr_t{2} << 20;
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (address + huge_page - 1) & ~(huge_page - 1);
    const std::uintptr_t end = (address + size) & ~(huge_page - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

// The cause behind an errno value, which the C runtime gives on Windows as well.
WriteCause cause_of_errno(int code) {
    switch (code) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:  // over the person's quota is a full disk as far as they can tell
#endif
            return WriteCause::disk_full;
        case ENOENT:
        case ENOTDIR:
            return WriteCause::folder_missing;
        case EISDIR:
            return WriteCause::path_is_folder;
        case ETXTBSY:
        case EBUSY:
            return WriteCause::in_use;
        case EACCES:
        case EPERM:
        case EROFS:
            return WriteCause::access_denied;
        default:
            return WriteCause::other;
    }
}

WriteError errno_failure(int code) {
    return WriteError{cause_of_errno(code), static_cast<unsigned long>(code),
                      std::generic_category().message(code)};
}

#ifdef _WIN32
WriteCause cause_of_windows_error(DWORD code) {
    switch (code) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return WriteCause::disk_full;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return WriteCause::folder_missing;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return WriteCause::in_use;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_NETWORK_ACCESS_DENIED:
            return WriteCause::access_denied;
        default:
            return WriteCause::other;
    }
}

// The system's own words, in the language Windows speaks to this user.
std::string windows_error_text(DWORD code) {
    wchar_t text[1024];
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, text, static_cast<DWORD>(std::size(text)), nullptr);
    return to_utf8(std::wstring_view(text, length));
}

WriteError windows_failure(DWORD code) {
    return WriteError{cause_of_windows_error(code), code, windows_error_text(code)};
}
#endif

// Called before a C runtime call whose failure is reported, so that a code left over from an
// earlier call is never taken for its cause.
void clear_runtime_error() {
    errno = 0;
#ifdef _WIN32
    _doserrno = 0;
#endif
}

// Why the C runtime call just made failed (an open or a close). On Windows the system's own
// code says more than errno, which folds a sharing violation into EACCES; it stays zero when
// the runtime refused on its own, and errno is all there is.
WriteError runtime_failure() {
#ifdef _WIN32
    const unsigned long system_code = _doserrno;
    if (system_code != 0)
        return windows_failure(system_code);
#endif
    return errno_failure(errno);
}

WriteError library_failure(const std::error_code& ec) {
#ifdef _WIN32
    if (ec.category() == std::system_category())
        return windows_failure(static_cast<DWORD>(ec.value()));
#endif
    return errno_failure(ec.value());
}

// What the system says of a name that names nothing.
WriteError invalid_name_failure() {
#ifdef _WIN32
    return windows_failure(ERROR_INVALID_NAME);
#else
    return errno_failure(EINVAL);
#endif
}

// A refusal made here rather than by the system carries no system code.
WriteError refusal(WriteCause cause) {
    return WriteError{cause, 0, {}};
}

// Every byte or the cause. A write may take fewer bytes than offered (a disk filling up does
// so before it refuses), so the rest is offered again until the system says why it refuses.
// On Windows the system is asked directly: the C runtime reports a short write without the
// system's code, and under Wine even as an invalid argument.
std::optional<WriteError> write_all(int fd, std::string_view bytes) {
    constexpr std::size_t chunk = std::size_t{1} << 30;
#ifdef _WIN32
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
#endif
    while (!bytes.empty()) {
        const std::size_t want = bytes.size() < chunk ? bytes.size() : chunk;
#ifdef _WIN32
        DWORD done = 0;
        if (!::WriteFile(handle, bytes.data(), static_cast<DWORD>(want), &done, nullptr))
            return windows_failure(::GetLastError());
        if (done == 0)
            return windows_failure(ERROR_DISK_FULL);
#else
        const ssize_t done = ::write(fd, bytes.data(), want);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return errno_failure(errno);
        }
        // Nothing taken and no error given: the only reason a file refuses bytes so.
        if (done == 0)
            return errno_failure(ENOSPC);
#endif
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return std::nullopt;
}

// An existing file that the person could not change in place is not replaced either, although
// its folder would allow the move. The permission bits come first, not access(): a process with
// full rights (root, or an administrator) would be told it may write, yet a file marked
// read-only is one the person meant to keep. A file of another user, or on a read-only file
// system, is one the person has no right to write.
std::optional<WriteError> refusal_to_replace(const fs::path& path, fs::perms perms) {
    if ((perms & fs::perms::owner_write) == fs::perms::none)
        return refusal(WriteCause::read_only);
#ifndef _WIN32
    if (::access(path.c_str(), W_OK) != 0)
        return errno_failure(errno);
#else
    (void)path;
#endif
    return std::nullopt;
}

// Puts the file's bytes on the disk now. A rename can reach the disk before the data it
// names, and a power cut in between leaves an empty or partial file where the old one was.
std::optional<WriteError> flush_to_disk(int fd) {
#ifdef _WIN32
    if (!::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(fd))))
        return windows_failure(::GetLastError());
#else
    while (::fsync(fd) != 0) {
        if (errno != EINTR)
            return errno_failure(errno);
    }
#endif
    return std::nullopt;
}

#ifdef _WIN32
// Windows answers a replace over a file another program holds open sometimes with a sharing
// violation and sometimes with plain "access denied"; asking for the right to delete it, with
// every kind of sharing granted, tells the two apart.
bool held_by_another_program(const fs::path& file) {
    const unique_file probe(::CreateFileW(file.c_str(), DELETE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// The move itself is written through to the disk (below); there is no folder to sync.
std::optional<WriteError> sync_folder_of(const fs::path&) {
    return std::nullopt;
}
#else
// The move is an entry in the folder: until the folder reaches the disk as well, a power cut
// can bring back the old entry. A folder that may be written but not read cannot be opened to
// be synced; the move then stays as durable as the file system makes it on its own.
std::optional<WriteError> sync_folder_of(const fs::path& file) {
    fs::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    unique_fd handle(fd);
    std::optional<WriteError> failure = flush_to_disk(handle.get());
    // Some file systems cannot sync a folder and say so with EINVAL; nothing more can be done.
    if (failure && failure->code == EINVAL)
        return std::nullopt;
    return failure;
}
#endif

// Moves the finished file over the target in one step.
std::optional<WriteError> move_over(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    // Called directly: the library's rename keeps only a generic error, losing a sharing
    // violation, and cannot ask for the move to be on the disk before it returns.
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return std::nullopt;
    const DWORD code = ::GetLastError();
    if (code == ERROR_ACCESS_DENIED && held_by_another_program(to))
        return windows_failure(ERROR_SHARING_VIOLATION);
    return windows_failure(code);
#else
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec)
        return library_failure(ec);
    return std::nullopt;
#endif
}

}  // namespace

WriteError write_error_from_errno(int error_number) {
    return errno_failure(error_number);
}

fs::path path_from_utf8(std::string_view utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string read_whole_file(std::string_view path_text) {
    GPAIS_LEVEL("read_whole_file", GPAIS_ARGS(path_text));
    if (path_text.empty())
        return {};
    const fs::path path = path_from_utf8(path_text);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return {};
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec)
        return {};
    const int fd = open_for_reading(path);
    if (fd < 0)
        return {};
    unique_fd file(fd);
    std::string bytes;
    // A file too large to hold is a shortage of memory, not a file without content: it must
    // reach the error handler like any other failed allocation instead of reading as empty.
    GPAIS_LINE();
    if (size > bytes.max_size())
        throw std::bad_alloc();
    bytes.reserve(static_cast<std::size_t>(size));
    prefer_huge_pages(bytes.data(), static_cast<std::size_t>(size));
    bytes.resize(static_cast<std::size_t>(size));
    const std::optional<std::size_t> got = read_into(file.get(), bytes.data(), bytes.size());
    if (!got)
        return {};
    const bool filled = *got == bytes.size();
    bytes.resize(*got);
    if (filled) {
        // The file grew after its size was taken: take what was added as well.
        char tail[65536];
        while (true) {
            const std::optional<std::size_t> more = read_into(file.get(), tail, sizeof tail);
            if (!more)
                return {};
            if (*more == 0)
                break;
            bytes.append(tail, *more);
        }
    }
    return bytes;
}

std::optional<WriteError> replace_file(std::string_view path_text, std::string_view bytes) {
    GPAIS_LEVEL("replace_file", GPAIS_ARGS(path_text, bytes));
    if (is_blank(path_text))
        return invalid_name_failure();
    fs::path target = path_from_utf8(path_text);
    if (!target.has_filename())
        return refusal(WriteCause::path_is_folder);
    std::error_code ec;

    // A link is followed, so that the file it leads to is replaced and the link stays a link.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path resolved = fs::canonical(target, ec);
        if (ec)
            return library_failure(ec);
        target = std::move(resolved);
    }

    const fs::file_status status = fs::status(target, ec);
    std::optional<fs::perms> existing_perms;
    if (fs::exists(status)) {
        if (fs::is_directory(status))
            return refusal(WriteCause::path_is_folder);
        // A device or a pipe is not a list the person could keep; it is not replaced.
        if (!fs::is_regular_file(status))
            return refusal(WriteCause::access_denied);
        if (std::optional<WriteError> refused = refusal_to_replace(target, status.permissions()))
            return refused;
        existing_perms = status.permissions();
    }

    fs::path temp_path;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp_path = target;
        temp_path += path_from_utf8(temporary_suffix());
        clear_runtime_error();
        fd = create_new_file(temp_path);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return runtime_failure();
    // Declared first so that it goes last: Windows removes no file that is still open.
    temporary_file temp(temp_path);
    unique_fd file(fd);

    if (std::optional<WriteError> failure = write_all(file.get(), bytes))
        return failure;
    // Before the flush, so that the permissions reach the disk with the bytes.
    if (existing_perms)
        fs::permissions(temp.path(), *existing_perms, ec);
    if (std::optional<WriteError> failure = flush_to_disk(file.get()))
        return failure;
    clear_runtime_error();
    if (!file.close())
        return runtime_failure();

    if (std::optional<WriteError> failure = move_over(temp.path(), target))
        return failure;
    temp.release();
    // The new file is in place; should the folder fail to reach the disk it may not survive a
    // power cut, and the person is told so rather than told it was saved.
    return sync_folder_of(target);
}

}  // namespace gpais
