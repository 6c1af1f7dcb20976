#pragma once
// The standard Open and Save As dialogs, the current folder and message boxes: texts are UTF-8
// on this side and UTF-16 at the Windows call.

#include <string>
#include <string_view>
#include <vector>

#include "filter/messages.hpp"
#include "ui/chooser_fields.hpp"

namespace gpais::ui {

// The chosen path (a multiple choice keeps Windows' NUL-separated folder and names), or an
// empty text when the person cancels or the dialog fails.
std::string CHOOSEOPENFILE(std::string_view title, std::string_view initial_folder,
                           std::string_view default_extension,
                           const std::vector<FileType>& file_types, unsigned filter_index);
std::string CHOOSESAVEFILE(std::string_view title, std::string_view initial_folder,
                           std::string_view default_extension,
                           const std::vector<FileType>& file_types, unsigned filter_index,
                           std::string_view proposed_name);

// The current directory as chooser_start_folder gives it; empty also when it cannot be read.
std::string CURRENTFOLDER();

// A box with OK only and no owner: the main dialog stays usable while it is open.
void SHOWMESSAGE(std::string_view text, std::string_view caption, Icon icon);

}  // namespace gpais::ui
