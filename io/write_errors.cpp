#include "io/write_errors.hpp"

#include <cerrno>

namespace gpais::io {

namespace {

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
        case ENAMETOOLONG:
            return WriteCause::name_too_long;
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

}  // namespace

WriteError errno_failure(int code) {
    return WriteError{cause_of_errno(code), static_cast<unsigned long>(code),
                      std::generic_category().message(code)};
}

WriteError refusal(WriteCause cause) {
    return WriteError{cause, 0, {}};
}

WriteError refusal_with_code(WriteCause cause, unsigned long code) {
    return WriteError{cause, code, {}};
}

}  // namespace gpais::io
