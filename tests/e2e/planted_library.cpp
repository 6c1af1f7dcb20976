// Stands in for a comctl32.dll that someone left beside the program in Downloads. Loaded, it
// leaves a mark beside itself and ends the process with 77 at once, so that a test sees that it
// ran even where the program would have gone on to work.
#include <windows.h>

#include "base/unique_handle.hpp"

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    wchar_t path[MAX_PATH + 32] = {};
    DWORD length = ::GetModuleFileNameW(self, path, MAX_PATH);
    while (length > 0 && path[length - 1] != L'\\')
        --length;
    ::lstrcpyW(path + length, L"planted-dll-ran");
    const gpais::UniqueFile mark{::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr)};
    ::TerminateProcess(::GetCurrentProcess(), 77);
    return FALSE;
}
