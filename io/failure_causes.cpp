#include "io/failure_causes.hpp"

#include <cerrno>

namespace gpais::io {

namespace {

FileCause cause_of_errno(int code) {
    switch (code) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:  // over the person's quota is a full disk as far as they can tell
#endif
            return FileCause::disk_full;
        case ENOENT:
        case ENOTDIR:
            return FileCause::folder_missing;
        case EISDIR:
            return FileCause::path_is_folder;
        case ENAMETOOLONG:
            return FileCause::name_too_long;
        case ETXTBSY:
        case EBUSY:
            return FileCause::in_use;
        case EACCES:
        case EPERM:
        case EROFS:
            return FileCause::access_denied;
        default:
            return FileCause::other;
    }
}

}  // namespace

FileError errno_failure(int code) {
    return FileError{cause_of_errno(code), static_cast<unsigned long>(code),
                     std::generic_category().message(code)};
}

FileError refusal(FileCause cause) {
    return FileError{cause, 0, {}};
}

FileError refusal_with_code(FileCause cause, unsigned long code) {
    return FileError{cause, code, {}};
}

}  // namespace gpais::io
