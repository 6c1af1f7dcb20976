#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <iterator>

#include "base/text_convert.hpp"
#include "base/unique_handle.hpp"
#include "io/system_calls.hpp"
#include "io/write_errors.hpp"

namespace gpais::io {

namespace fs = std::filesystem;

namespace {

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

HANDLE system_handle(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// Windows answers a replace over a file another program holds open sometimes with a sharing
// violation and sometimes with plain "access denied"; asking for the right to delete it, with
// every kind of sharing granted, tells the two apart.
bool held_by_another_program(const fs::path& file) {
    const unique_file probe(::CreateFileW(file.c_str(), DELETE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

int open_for_reading(const fs::path& path) {
    return ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int create_new_file(const fs::path& path) {
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

int close_file(int fd) noexcept {
    return ::_close(fd);
}

long long read_some(int fd, char* into, std::size_t size) noexcept {
    while (true) {
        const int got = ::_read(fd, into, static_cast<unsigned>(size));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

// Large pages need a privilege a person's account does not hold; the buffer takes what it gets.
void prefer_huge_pages(char*, std::size_t) noexcept {}

void clear_runtime_error() noexcept {
    errno = 0;
    _doserrno = 0;
}

// The system's own code says more than errno, which folds a sharing violation into EACCES; it
// stays zero when the runtime refused on its own, and errno is all there is.
WriteError runtime_failure() {
    const unsigned long system_code = _doserrno;
    if (system_code != 0)
        return windows_failure(system_code);
    return errno_failure(errno);
}

WriteError library_failure(const std::error_code& ec) {
    if (ec.category() == std::system_category())
        return windows_failure(static_cast<DWORD>(ec.value()));
    return errno_failure(ec.value());
}

WriteError invalid_name_failure() {
    return windows_failure(ERROR_INVALID_NAME);
}

// The system is asked directly: the C runtime reports a short write without the system's code,
// and under Wine even as an invalid argument.
WriteResult write_all(int fd, std::string_view bytes) {
    constexpr std::size_t chunk = std::size_t{1} << 30;
    const HANDLE handle = system_handle(fd);
    while (!bytes.empty()) {
        const std::size_t want = bytes.size() < chunk ? bytes.size() : chunk;
        DWORD done = 0;
        if (!::WriteFile(handle, bytes.data(), static_cast<DWORD>(want), &done, nullptr))
            return windows_failure(::GetLastError());
        if (done == 0)
            return windows_failure(ERROR_DISK_FULL);
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return {};
}

WriteResult flush_to_disk(int fd) {
    if (!::FlushFileBuffers(system_handle(fd)))
        return windows_failure(::GetLastError());
    return {};
}

// The read-only mark is all Windows keeps in the permission bits, and it is checked before this;
// any other refusal comes from the move itself, with the system's reason.
WriteResult may_write(const fs::path&) {
    return {};
}

WriteResult move_over(const fs::path& from, const fs::path& to) {
    // Called directly: the library's rename keeps only a generic error, losing a sharing
    // violation, and cannot ask for the move to be on the disk before it returns.
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const DWORD code = ::GetLastError();
    if (code == ERROR_ACCESS_DENIED && held_by_another_program(to))
        return windows_failure(ERROR_SHARING_VIOLATION);
    return windows_failure(code);
}

// The move itself is written through to the disk; there is no folder to sync.
WriteResult sync_folder_of(const fs::path&) {
    return {};
}

}  // namespace gpais::io
