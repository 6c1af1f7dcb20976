#include "io/file_io.hpp"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <new>
#include <optional>
#include <random>
#include <system_error>

#include "filter/bytes.hpp"
#include "io/system_calls.hpp"
#include "io/unique_fd.hpp"
#include "io/write_errors.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace fs = std::filesystem;
using namespace io;

namespace {

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

// Reads until `size` bytes are in or the file ends: the count read, or nothing on a read error.
std::optional<std::size_t> read_into(int fd, char* into, std::size_t size) {
    constexpr std::size_t chunk = std::size_t{1} << 30;
    std::size_t done = 0;
    while (done < size) {
        const std::size_t want = size - done < chunk ? size - done : chunk;
        const long long got = read_some(fd, into + done, want);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

// An existing file that the person could not change in place is not replaced either, although
// its folder would allow the move. The permission bits come first, not the system's answer: a
// process with full rights (root, or an administrator) would be told it may write, yet a file
// marked read-only is one the person meant to keep.
WriteResult refusal_to_replace(const fs::path& path, fs::perms perms) {
    if ((perms & fs::perms::owner_write) == fs::perms::none)
        return refusal(WriteCause::read_only);
    return may_write(path);
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
    const unique_fd file(fd);
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

WriteResult replace_file(std::string_view path_text, std::string_view bytes) {
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
        if (WriteResult allowed = refusal_to_replace(target, status.permissions()); !allowed.ok())
            return allowed;
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

    if (WriteResult written = write_all(file.get(), bytes); !written.ok())
        return written;
    // Before the flush, so that the permissions reach the disk with the bytes.
    if (existing_perms)
        fs::permissions(temp.path(), *existing_perms, ec);
    if (WriteResult flushed = flush_to_disk(file.get()); !flushed.ok())
        return flushed;
    clear_runtime_error();
    if (!file.close())
        return runtime_failure();

    if (WriteResult moved = move_over(temp.path(), target); !moved.ok())
        return moved;
    temp.release();
    // The new file is in place; should the folder fail to reach the disk it may not survive a
    // power cut, and the person is told so rather than told it was saved.
    return sync_folder_of(target);
}

}  // namespace gpais
