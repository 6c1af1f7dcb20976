#include "ui/choosers.hpp"

#include <windows.h>
// after windows.h, which it builds on
#include <commdlg.h>

#include <algorithm>
#include <cstddef>

#include "base/text_convert.hpp"
#include "rt/call_levels.hpp"
#include "ui/chooser_text.hpp"

namespace gpais::ui {

namespace {

// The pre-Windows 2000 structure size: the dialogs then show no places bar, as intended.
constexpr DWORD chooser_struct_size = 76;
static_assert(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == chooser_struct_size);

constexpr DWORD chooser_flags =
    OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
static_assert(chooser_flags == 0x0008020C);

// Large enough for a multiple choice of many long names.
constexpr std::size_t chooser_buffer_chars = 65536;

enum class ChooserKind { open, save };

std::string run_chooser(ChooserKind kind, std::string_view title, std::string_view initial_folder,
                        std::string_view default_extension, const std::vector<FileType>& file_types,
                        unsigned filter_index, std::string_view proposed_name) {
    const std::wstring filter = to_wide(filter_string(file_types));
    const std::wstring wide_title = to_wide(title);
    const std::wstring wide_folder = to_wide(initial_folder);
    const std::wstring wide_extension = to_wide(extension_without_dot(default_extension));

    std::wstring buffer(chooser_buffer_chars, L'\0');
    const std::wstring proposed = to_wide(proposed_name);
    // Keep at least one NUL at the end, whatever the length of the proposal.
    std::copy_n(proposed.begin(), std::min(proposed.size(), chooser_buffer_chars - 1),
                buffer.begin());

    OPENFILENAMEW request{};
    request.lStructSize = chooser_struct_size;
    request.hwndOwner = ::GetActiveWindow();
    request.hInstance = ::GetModuleHandleW(nullptr);
    request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = limit_filter_index(filter_index, usable_filter_count(file_types));
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(chooser_buffer_chars);
    request.lpstrInitialDir = wide_folder.c_str();
    request.lpstrTitle = wide_title.c_str();
    request.Flags = chooser_flags;
    request.lpstrDefExt = wide_extension.c_str();

    const BOOL chosen =
        kind == ChooserKind::open ? ::GetOpenFileNameW(&request) : ::GetSaveFileNameW(&request);
    if (!chosen)
        return {};
    return to_utf8(chooser_result(std::wstring_view{buffer}));
}

}  // namespace

std::string CHOOSEOPENFILE(std::string_view title, std::string_view initial_folder,
                           std::string_view default_extension,
                           const std::vector<FileType>& file_types, unsigned filter_index) {
    GPAIS_LEVEL("CHOOSEOPENFILE",
                GPAIS_ARGS(title, initial_folder, default_extension, file_types, filter_index));
    return run_chooser(ChooserKind::open, title, initial_folder, default_extension, file_types,
                       filter_index, {});
}

std::string CHOOSESAVEFILE(std::string_view title, std::string_view initial_folder,
                           std::string_view default_extension,
                           const std::vector<FileType>& file_types, unsigned filter_index,
                           std::string_view proposed_name) {
    GPAIS_LEVEL("CHOOSESAVEFILE", GPAIS_ARGS(title, initial_folder, default_extension, file_types,
                                             filter_index, proposed_name));
    return run_chooser(ChooserKind::save, title, initial_folder, default_extension, file_types,
                       filter_index, proposed_name);
}

std::string CURRENTFOLDER() {
    GPAIS_LEVEL("CURRENTFOLDER");
    constexpr DWORD buffer_chars = 264;
    wchar_t buffer[buffer_chars] = {};
    const DWORD length = ::GetCurrentDirectoryW(buffer_chars, buffer);
    // A result not below the buffer size is the size a longer folder would need.
    if (length == 0 || length >= buffer_chars)
        return {};
    return with_folder_suffix(to_utf8(std::wstring_view{buffer, length}));
}

void SHOWMESSAGE(std::string_view text, std::string_view caption, Icon icon) {
    GPAIS_LEVEL("SHOWMESSAGE", GPAIS_ARGS(text, caption, icon));
    const std::wstring wide_text = to_wide(text);
    const std::wstring wide_caption = to_wide(caption);
    ::MessageBoxW(nullptr, wide_text.c_str(), wide_caption.c_str(), static_cast<UINT>(icon));
}

}  // namespace gpais::ui
