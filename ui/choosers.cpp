#include "ui/choosers.hpp"

#include <windows.h>
// after windows.h, which it builds on
#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <type_traits>

#include "base/current_folder.hpp"
#include "base/long_path.hpp"
#include "base/paths.hpp"
#include "base/system_libraries.hpp"
#include "base/text_convert.hpp"
#include "base/unique_handle.hpp"
#include "base/windows_path.hpp"
#include "errors/win32_dialogs.hpp"
#include "errors/win32_fault_filter.hpp"
#include "rt/call_levels.hpp"
#include "ui/chooser_fields.hpp"

namespace gpais::ui {

namespace {

// The pre-Windows 2000 structure size, the headers' OPENFILENAME_SIZE_VERSION_400W, written as a
// constant expression: the dialogs then show no places bar, as intended. 76 bytes in the
// program users get, 136 in its 64-bit twin.
constexpr DWORD chooser_struct_size = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
#if !defined(_WIN64)
static_assert(chooser_struct_size == 76);
#endif

constexpr DWORD chooser_flags =
    OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
static_assert(chooser_flags == 0x0008020C);

// Large enough for a multiple choice of many long names.
constexpr std::size_t chooser_buffer_chars = 65536;

enum class ChooserKind { open, save };

using ChooserFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
// A type that differed from the real one (a missing WINAPI) would corrupt the 32-bit stack.
static_assert(std::is_same_v<ChooserFunction, decltype(&::GetOpenFileNameW)> &&
              std::is_same_v<ChooserFunction, decltype(&::GetSaveFileNameW)>);

// The common dialogs come from System32 at their first use, and with them every DLL they
// import. Windows takes a known DLL's own imports from System32 anyway, but Wine looks for them
// beside the program first, where a planted comctl32.dll would run before our first line.
// Null when it cannot be had, which the caller takes as a chooser that failed.
ChooserFunction chooser_function(ChooserKind kind) {
    static const UniqueModule common_dialogs{load_system_library(L"comdlg32.dll")};
    if (!common_dialogs)
        return nullptr;
    return reinterpret_cast<ChooserFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(common_dialogs.get(),
                         kind == ChooserKind::open ? "GetOpenFileNameW" : "GetSaveFileNameW")));
}

// The folder the dialog opens in. It takes its initial folder into room for MAX_PATH characters
// (Wine's runs past it and faults), so a deeper folder goes by its short name where the volume
// keeps short names, and otherwise the caller's folder stays: the name is still proposed, in a
// folder the person can browse from.
std::wstring dialog_initial_folder(std::string_view folder, std::string_view fallback) {
    std::wstring wide = to_wide(folder);
    if (wide.size() < MAX_PATH)
        return wide;
    // The file calls' own form: "\\?\UNC\" for a share, which a bare "\\?\" would not name.
    const std::wstring prefixed = windows_file_path(folder);
    wchar_t short_form[MAX_PATH] = {};
    const DWORD length = ::GetShortPathNameW(prefixed.c_str(), short_form, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        const std::wstring found = without_long_prefix(std::wstring_view(short_form, length));
        if (found.size() < MAX_PATH - 1)
            return found;
    }
    std::wstring own = to_wide(fallback);
    return own.size() < MAX_PATH ? own : std::wstring();
}

std::string run_chooser(ChooserKind kind, std::string_view title, std::string_view initial_folder,
                        std::string_view default_extension, const std::vector<FileType>& file_types,
                        unsigned filter_index, std::string_view proposed_name) {
    const std::wstring filter = to_wide(filter_string(file_types));
    const std::wstring wide_title = to_wide(title);
    // The file buffer takes the proposed name alone and the initial folder its folder: the dialog
    // takes no proposed name of MAX_PATH characters or more, and a list in a deep folder would
    // be offered an empty name. A bare name has no folder, and the caller's initial folder stays.
    const PathParts<char> split = split_path(proposed_name, '\\');
    const std::wstring wide_folder =
        dialog_initial_folder(split.folder.empty() ? initial_folder : split.folder, initial_folder);
    const std::wstring wide_extension = to_wide(extension_without_dot(default_extension));

    std::wstring buffer(chooser_buffer_chars, L'\0');
    const std::wstring proposed = to_wide(split.name);
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

    const ChooserFunction choose = chooser_function(kind);
    if (choose == nullptr)
        return {};
    const BOOL chosen = choose(&request);
    // Shell extensions loaded by the chooser may have put their own fault filter in place of ours.
    reinstall_fault_filter();
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
    return chooser_start_folder(read_current_folder());
}

void SHOWMESSAGE(std::string_view text, std::string_view caption, Icon icon) {
    GPAIS_LEVEL("SHOWMESSAGE", GPAIS_ARGS(text, caption, icon));
    show_message_box(text, caption, icon);
}

}  // namespace gpais::ui
