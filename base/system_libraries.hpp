#pragma once
// DLLs from the system's own folder only. A DLL that is not one of Windows' known DLLs is
// otherwise looked for in the program's folder first, and a program run from Downloads would
// run whatever lies beside it there.

#include <windows.h>

namespace gpais {

// Limits every later load of the process, the system's own on our behalf included, to
// System32. The first call of a program's entry point, before anything could load a DLL.
void search_system_folder_only() noexcept;

// Loads a DLL of Windows by its bare name from System32 alone; null when it is not there.
[[nodiscard]] HMODULE load_system_library(const wchar_t* name) noexcept;

}  // namespace gpais
