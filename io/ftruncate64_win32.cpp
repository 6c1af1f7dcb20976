#include <windows.h>

#include <io.h>
#include <unistd.h>

#include <cerrno>

// The C++ library's file system code refers to the runtime's ftruncate64, whose MinGW version
// moves with the 32-bit SetFilePointer; that move fails on files of 4 GiB or more. This one, with
// the 64-bit move, takes its place in every program that links the file layer (its object file
// is linked into each of them, not taken from an archive, where the runtime's would win), so no
// program imports SetFilePointer. It keeps the descriptor's position.
extern "C" int ftruncate64(int descriptor, _off64_t length) {
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
    if (file == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return -1;
    }
    if (length < 0) {
        errno = EINVAL;
        return -1;
    }
    LARGE_INTEGER position{};
    if (::SetFilePointerEx(file, LARGE_INTEGER{}, &position, FILE_CURRENT) == FALSE) {
        errno = EBADF;
        return -1;
    }
    LARGE_INTEGER end{};
    end.QuadPart = length;
    const bool cut = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) != FALSE &&
                     ::SetEndOfFile(file) != FALSE;
    ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN);
    if (!cut) {
        errno = ::GetLastError() == ERROR_DISK_FULL ? ENOSPC : EIO;
        return -1;
    }
    return 0;
}
