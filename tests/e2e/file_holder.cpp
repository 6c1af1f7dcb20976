// Holds a file open for a while, as a virus scanner or a sync client does right after a file
// changes: reading it without write or delete sharing, or without any sharing.
//   gpais_file_holder <path> <milliseconds> read|none
// Exits 0 once it has let the file go, 2 when it could not open it.
#include <windows.h>

#include <shellapi.h>

#include <string>

int main() {
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (args == nullptr || count != 4)
        return 2;
    const DWORD sharing = std::wstring(args[3]) == L"read" ? FILE_SHARE_READ : 0;
    // The driver looks whether the file is held yet by opening it for a moment, which a holder
    // that shares nothing meets as a sharing violation: it tries again.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 500 && file == INVALID_HANDLE_VALUE; ++attempt) {
        file = ::CreateFileW(args[1], GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_SHARING_VIOLATION)
            return 2;
        if (file == INVALID_HANDLE_VALUE)
            ::Sleep(10);
    }
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    ::Sleep(static_cast<DWORD>(std::wcstoul(args[2], nullptr, 10)));
    ::CloseHandle(file);
    ::LocalFree(args);
    return 0;
}
