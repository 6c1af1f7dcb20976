#pragma once
// The files Explorer drops on the dialog, read from the drop's handle. The dialog's template
// accepts drops (WS_EX_ACCEPTFILES); shell32, which reads them, is loaded from System32 at the
// first drop and stays out of the import table, as the common dialogs do.

#include <windows.h>
// after windows.h, which it builds on
#include <shellapi.h>

#include <vector>

#include "ui/dropped_files.hpp"

namespace gpais::ui {

// Every dropped path, whole however long, in UTF-8, and whether it names a folder. Releases the
// drop however it ends; nothing when shell32 cannot be had.
[[nodiscard]] std::vector<DroppedItem> take_dropped_items(HDROP drop);

}  // namespace gpais::ui
