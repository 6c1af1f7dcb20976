#include <windows.h>

#include <cstring>
#include <iterator>
#include <vector>

#include "base/text_convert.hpp"
#include "base/unique_handle.hpp"
#include "base/windows_path.hpp"
#include "io/failure_causes.hpp"
#include "io/patience.hpp"
#include "io/system_calls.hpp"

namespace gpais::io {

namespace {

FileCause cause_of_windows_error(DWORD code) {
    switch (code) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileCause::disk_full;
        case ERROR_FILE_NOT_FOUND:
            return FileCause::file_missing;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return FileCause::folder_missing;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return FileCause::in_use;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_NETWORK_ACCESS_DENIED:
            return FileCause::access_denied;
        case ERROR_FILENAME_EXCED_RANGE:
            return FileCause::name_too_long;
        default:
            return FileCause::other;
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

FileError windows_failure(DWORD code) {
    return FileError{cause_of_windows_error(code), code, windows_error_text(code)};
}

DWORD attributes_of(const system_path& path) {
    return ::GetFileAttributesW(path.c_str());
}

bool is_folder(const system_path& path) {
    const DWORD attributes = attributes_of(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// What another program holding the file for a moment looks like: a sharing or lock violation,
// or, from a file being replaced or removed, access denied on a file nobody marked read-only.
bool held_for_a_moment(DWORD code, const system_path& path) {
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION)
        return true;
    if (code != ERROR_ACCESS_DENIED)
        return false;
    const DWORD attributes = attributes_of(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

// Asks `attempt` (true when it succeeded) again while the file is held for a moment; the
// error of its last try otherwise.
template <typename Attempt>
DWORD while_held(const system_path& path, Attempt attempt) {
    Patience patience;
    while (true) {
        if (attempt())
            return ERROR_SUCCESS;
        const DWORD code = ::GetLastError();
        if (!held_for_a_moment(code, path) || !patience.wait_before_retry())
            return code;
    }
}

// A file system without a flush of its own (some network redirectors) answers so; its writes
// are then as durable as it makes them.
bool has_no_flush(DWORD code) {
    return code == ERROR_INVALID_FUNCTION || code == ERROR_NOT_SUPPORTED;
}

// Renames the open file itself: no other program can step in between a close and a move.
bool rename_open_file(HANDLE file, const system_path& to) {
    const std::size_t name_bytes = to.size() * sizeof(wchar_t);
    // FileName[1] has room for the NUL that ends the name.
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name_bytes);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(name_bytes);
    std::memcpy(info->FileName, to.c_str(), name_bytes + sizeof(wchar_t));
    return ::SetFileInformationByHandle(file, FileRenameInfo, info,
                                        static_cast<DWORD>(buffer.size())) != FALSE;
}

// A redirector that cannot rename an open file says so with one of these.
bool cannot_rename_open_files(DWORD code) {
    return code == ERROR_INVALID_PARAMETER || has_no_flush(code);
}

}  // namespace

system_path system_path_of(std::string_view utf8) {
    return windows_file_path(utf8);
}

FileResult<void> open_for_reading(const system_path& path, UniqueFile& file, std::uint64_t& size) {
    HANDLE opened = INVALID_HANDLE_VALUE;
    const DWORD code = while_held(path, [&] {
        // Windows opens no folder as a file; it says access denied, which is no moment's hold.
        opened = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        return opened != INVALID_HANDLE_VALUE;
    });
    if (code != ERROR_SUCCESS) {
        if (code == ERROR_ACCESS_DENIED && is_folder(path))
            return refusal_with_code(FileCause::path_is_folder, code);
        return windows_failure(code);
    }
    UniqueFile owner(opened);
    if (::GetFileType(opened) != FILE_TYPE_DISK)
        return {};
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(opened, &length))
        return windows_failure(::GetLastError());
    size = static_cast<std::uint64_t>(length.QuadPart);
    file.reset(owner.release());
    return {};
}

long long read_some(native_file file, char* into, std::size_t size) noexcept {
    DWORD got = 0;
    if (!::ReadFile(file, into, static_cast<DWORD>(size), &got, nullptr))
        return -1;
    return got;
}

long long write_some(native_file file, const char* bytes, std::size_t size) noexcept {
    DWORD done = 0;
    if (!::WriteFile(file, bytes, static_cast<DWORD>(size), &done, nullptr))
        return -1;
    if (done == 0) {
        ::SetLastError(ERROR_DISK_FULL);
        return -1;
    }
    return done;
}

FileError last_failure() {
    return windows_failure(::GetLastError());
}

// Large pages need a privilege a person's account does not hold; the buffer takes what it gets.
void prefer_huge_pages(char*, std::size_t) noexcept {}

// The read-only mark is all Windows keeps in the permission bits; the target is then opened as
// the move will need it, with the right to delete it, which another program that holds it
// without delete sharing refuses with a sharing violation: the cause the person is told.
FileResult<void> check_target(system_path& target, TargetState& state) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND)
            return {};
        return windows_failure(code);
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return refusal(FileCause::path_is_folder);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0)
        return refusal(FileCause::read_only);
    const DWORD code = while_held(target, [&target] {
        const UniqueFile opened(::CreateFileW(
            target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return static_cast<bool>(opened);
    });
    if (code != ERROR_SUCCESS)
        return windows_failure(code);
    state.exists = true;
    return {};
}

FileResult<void> create_new_file(const system_path& path, UniqueFile& file) {
    // Shared with nobody: no other program can open the new file before it is in place.
    const HANDLE created = ::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE)
        return windows_failure(::GetLastError());
    file.reset(created);
    return {};
}

bool is_name_taken(const FileError& error) noexcept {
    return error.code == ERROR_FILE_EXISTS || error.code == ERROR_ALREADY_EXISTS;
}

void keep_permissions(native_file, const TargetState&) noexcept {}

FileResult<void> flush_to_disk(native_file file) {
    if (!::FlushFileBuffers(file)) {
        const DWORD code = ::GetLastError();
        if (!has_no_flush(code))
            return windows_failure(code);
    }
    return {};
}

FileResult<void> move_over(UniqueFile& file, const system_path& from, const system_path& to) {
    const DWORD code = while_held(to, [&file, &to] { return rename_open_file(file.get(), to); });
    if (code == ERROR_SUCCESS)
        return {};
    if (!cannot_rename_open_files(code))
        return windows_failure(code);
    // Moved by name instead, closed first: Windows moves no file that is open without sharing.
    file.reset();
    const DWORD moved = while_held(to, [&from, &to] {
        return ::MoveFileExW(from.c_str(), to.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
    return moved == ERROR_SUCCESS ? FileResult<void>() : windows_failure(moved);
}

// A file renamed while open has its new name on the disk once it is flushed again.
FileResult<void> make_move_durable(UniqueFile& file, const system_path&) {
    if (!file)
        return {};
    FileResult<void> flushed = flush_to_disk(file.get());
    file.reset();
    return flushed;
}

void remove_temporary(UniqueFile& file, const system_path& path) noexcept {
    if (file) {
        FILE_DISPOSITION_INFO disposition{TRUE};
        const bool marked = ::SetFileInformationByHandle(file.get(), FileDispositionInfo,
                                                         &disposition, sizeof disposition) != FALSE;
        file.reset();
        if (marked)
            return;
    }
    (void)while_held(path, [&path] { return ::DeleteFileW(path.c_str()) != FALSE; });
}

FileError invalid_name_failure() {
    return windows_failure(ERROR_INVALID_NAME);
}

}  // namespace gpais::io
