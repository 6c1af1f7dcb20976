#include "ui/dropped_paths.hpp"

#include <string>
#include <type_traits>

#include "base/scope_exit.hpp"
#include "base/system_libraries.hpp"
#include "base/text_convert.hpp"
#include "base/unique_handle.hpp"
#include "base/windows_path.hpp"

namespace gpais::ui {

namespace {

using DragQueryFileFunction = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
using DragFinishFunction = void(WINAPI*)(HDROP);
// A type that differed from the real one (a missing WINAPI) would corrupt the 32-bit stack.
static_assert(std::is_same_v<DragQueryFileFunction, decltype(&::DragQueryFileW)> &&
              std::is_same_v<DragFinishFunction, decltype(&::DragFinish)>);

constexpr UINT count_query = 0xFFFFFFFF;

struct DropFunctions {
    DragQueryFileFunction query = nullptr;
    DragFinishFunction finish = nullptr;
};

// From System32 at the first drop, as the common dialogs: Windows takes a known DLL's own
// imports from System32 anyway, but Wine looks for them beside the program first, where a
// planted comctl32.dll would run.
const DropFunctions& drop_functions() {
    static const UniqueModule shell{load_system_library(L"shell32.dll")};
    static const DropFunctions functions = [] {
        DropFunctions found;
        if (!shell)
            return found;
        found.query = reinterpret_cast<DragQueryFileFunction>(
            reinterpret_cast<void*>(::GetProcAddress(shell.get(), "DragQueryFileW")));
        found.finish = reinterpret_cast<DragFinishFunction>(
            reinterpret_cast<void*>(::GetProcAddress(shell.get(), "DragFinish")));
        return found;
    }();
    return functions;
}

// A path that cannot be asked about (gone since the drop) is taken for a file: the run that
// reads it says what is wrong with it.
bool names_folder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(windows_file_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::vector<DroppedItem> take_dropped_items(HDROP drop) {
    const DropFunctions& functions = drop_functions();
    if (functions.query == nullptr || functions.finish == nullptr)
        return {};
    const ScopeExit release{[&] { functions.finish(drop); }};
    std::vector<DroppedItem> items;
    const UINT count = functions.query(drop, count_query, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        // The length first: a fixed buffer of MAX_PATH would cut a longer path into another.
        const UINT length = functions.query(drop, index, nullptr, 0);
        if (length == 0)
            continue;
        std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
        const UINT copied = functions.query(drop, index, path.data(), length + 1);
        path.resize(copied);
        std::string utf8 = to_utf8(path);
        const bool folder = names_folder(utf8);
        items.push_back({std::move(utf8), folder});
    }
    return items;
}

}  // namespace gpais::ui
