// Files dropped on a window of the program, as Explorer drops them at the end of a drag.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "remote_memory.hpp"

namespace gpais::e2e {

// The drop's data in the program's memory, under Wine. Keep it until the program has shown that
// it read the drop (a field filled, a box opened): the message that hands it over is posted.
using DropData = std::unique_ptr<RemoteBuffer>;

// Drops `files` in this order on `window` of `process`, at the middle of its client area: on
// Windows by a drag with OLE, as Explorer drops; under Wine, whose drag does not reach such a
// window, as Wine's own drop from the desktop arrives (see remote_drop.cpp).
[[nodiscard]] DropData drop_files(HANDLE process, HWND window,
                                  const std::vector<std::filesystem::path>& files);

}  // namespace gpais::e2e
