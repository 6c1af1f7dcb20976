#include "filter/file_io.hpp"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <new>
#include <random>
#include <system_error>

#include "errors/call_levels.hpp"
#include "filter/bytes.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
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

bool write_all(int fd, std::string_view bytes) {
    constexpr std::size_t chunk = std::size_t{1} << 30;
    while (!bytes.empty()) {
        const std::size_t want = bytes.size() < chunk ? bytes.size() : chunk;
#ifdef _WIN32
        const int done = ::_write(fd, bytes.data(), static_cast<unsigned>(want));
#else
        const ssize_t done = ::write(fd, bytes.data(), want);
#endif
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (done == 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

// The permission bits, not access(): a process with full rights (root, or an administrator)
// would be told it may write, yet a file marked read-only is one the person meant to keep.
bool is_read_only(const fs::path& path, fs::perms perms) {
    if ((perms & fs::perms::owner_write) == fs::perms::none)
        return true;
#ifndef _WIN32
    if (::access(path.c_str(), W_OK) != 0)
        return true;
#else
    (void)path;
#endif
    return false;
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

WriteError error_from(std::string_view what, int code) {
    return WriteError{std::string(what) + ": " + std::generic_category().message(code)};
}

}  // namespace

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
        return WriteError{"no file name"};
    fs::path target = path_from_utf8(path_text);
    if (!target.has_filename())
        return WriteError{"the path names a folder"};
    std::error_code ec;

    // A link is followed, so that the file it leads to is replaced and the link stays a link.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path resolved = fs::canonical(target, ec);
        if (ec)
            return error_from("the link leads to no file", ec.value());
        target = std::move(resolved);
    }

    const fs::file_status status = fs::status(target, ec);
    std::optional<fs::perms> existing_perms;
    if (fs::exists(status)) {
        if (fs::is_directory(status))
            return WriteError{"the path names a folder"};
        if (!fs::is_regular_file(status))
            return WriteError{"the path names no ordinary file"};
        if (is_read_only(target, status.permissions()))
            return WriteError{"the file is read-only"};
        existing_perms = status.permissions();
    }

    fs::path temp_path;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp_path = target;
        temp_path += path_from_utf8(temporary_suffix());
        fd = create_new_file(temp_path);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return error_from("cannot create a file in the folder", errno);
    unique_fd file(fd);
    temporary_file temp(temp_path);

    if (!write_all(file.get(), bytes))
        return error_from("cannot write the file", errno);
    if (!file.close())
        return error_from("cannot finish the file", errno);
    if (existing_perms)
        fs::permissions(temp.path(), *existing_perms, ec);

    fs::rename(temp.path(), target, ec);
    if (ec)
        return error_from("cannot replace the file", ec.value());
    temp.release();
    return std::nullopt;
}

}  // namespace gpais
