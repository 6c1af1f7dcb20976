#include "remote_drop.hpp"

#include <shlobj.h>

#include <cstring>
#include <string>

#include "check.hpp"

namespace gpais::e2e {

namespace {

// Wine's own export.
bool under_wine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Zero bytes ahead of the block: see below why the block does not start the page.
constexpr std::size_t block_offset = 64;

}  // namespace

// What Explorer's drop leaves a WS_EX_ACCEPTFILES window: WM_DROPFILES whose handle holds a
// DROPFILES header and the paths in UTF-16, each ended by a NUL, the list by one more. Here the
// block is written into the program's memory and its address posted as the handle; the
// program's DragQueryFileW finds it through GlobalLock, which takes an address that is no
// handle for memory of a fixed block, as it is. DragFinish then gives it to GlobalFree, which
// Wine refuses harmlessly as no block of its heap (it reads the zeros ahead of the block, so
// they are there). Windows' heap may take such a free for corruption and end the program, so
// on Windows the scenario is skipped rather than passed: a drop there must come from OLE's
// DoDragDrop with a real drag, which this driver does not do yet.
DropData drop_files(HANDLE process, HWND window, const std::vector<std::filesystem::path>& files) {
    if (!under_wine())
        throw Skipped("a drop is handed over only under Wine (see remote_drop.cpp)");
    std::wstring paths;
    for (const auto& file : files) {
        paths.append(file.wstring());
        paths.push_back(L'\0');
    }
    paths.push_back(L'\0');

    RECT client{};
    ::GetClientRect(window, &client);
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = {client.right / 2, client.bottom / 2};
    header.fNC = FALSE;
    header.fWide = TRUE;

    const std::size_t path_bytes = paths.size() * sizeof(wchar_t);
    auto data = std::make_unique<RemoteBuffer>(process, block_offset + sizeof header + path_bytes);
    data->write(&header, sizeof header, block_offset);
    data->write(paths.data(), path_bytes, block_offset + sizeof header);
    expect(::PostMessageW(window, WM_DROPFILES, static_cast<WPARAM>(data->address(block_offset)),
                          0) != FALSE,
           "cannot post the drop to the dialog");
    return data;
}

}  // namespace gpais::e2e
