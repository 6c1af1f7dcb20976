#include "remote_drop.hpp"

#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <sstream>
#include <string>
#include <utility>

#include "check.hpp"

namespace gpais::e2e {

namespace {

// Wine's own export.
bool under_wine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// What a drop of files hands a WS_EX_ACCEPTFILES window: a DROPFILES header and the paths in
// UTF-16, each ended by a NUL, the list by one more.
std::vector<char> drop_block(const std::vector<std::filesystem::path>& files, POINT at) {
    std::wstring paths;
    for (const auto& file : files) {
        paths.append(file.wstring());
        paths.push_back(L'\0');
    }
    paths.push_back(L'\0');
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = at;
    header.fNC = FALSE;
    header.fWide = TRUE;
    std::vector<char> block(sizeof header + paths.size() * sizeof(wchar_t));
    std::memcpy(block.data(), &header, sizeof header);
    std::memcpy(block.data() + sizeof header, paths.data(), block.size() - sizeof header);
    return block;
}

// ---- Under Wine: the block in the program's memory ----------------------------------------------

// Zero bytes ahead of the block: see below why the block does not start the page.
constexpr std::size_t block_offset = 64;

// Wine 8's DoDragDrop drops only on windows with a registered IDropTarget and cancels over a
// WS_EX_ACCEPTFILES one; a drop from the desktop (XDND) reaches such a window as WM_DROPFILES
// with a handle Wine makes. Here the block is written into the program's memory and its address
// posted as the handle: the program's DragQueryFileW finds it through GlobalLock, which takes
// an address that is no handle for memory of a fixed block, as it is, and DragFinish gives it
// to GlobalFree, which Wine refuses harmlessly as no block of its heap (it reads the zeros ahead
// of the block, so they are there). Windows' heap may take such a free for corruption and end
// the program, so this way is taken under Wine only.
DropData drop_in_memory(HANDLE process, HWND window, const std::vector<char>& block) {
    auto data = std::make_unique<RemoteBuffer>(process, block_offset + block.size());
    data->write(block.data(), block.size(), block_offset);
    expect(::PostMessageW(window, WM_DROPFILES, static_cast<WPARAM>(data->address(block_offset)),
                          0) != FALSE,
           "cannot post the drop to the dialog");
    return data;
}

// ---- On Windows: a drag, as Explorer makes one ------------------------------------------------
// Windows' DoDragDrop drops on a WS_EX_ACCEPTFILES window without an IDropTarget as Explorer's
// drags reach such windows: the target gets WM_DROPFILES with the CF_HDROP data.

// The files as Explorer offers them: CF_HDROP in global memory, a fresh copy for each taker.
class DraggedFiles final : public IDataObject {
  public:
    explicit DraggedFiles(std::vector<char> block) : block_(std::move(block)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id != IID_IUnknown && id != IID_IDataObject) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IDataObject*>(this);
        return S_OK;
    }
    // Lives on the stack for the whole drag, so references are not counted.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, block_.size());
        if (memory == nullptr)
            return E_OUTOFMEMORY;
        std::memcpy(::GlobalLock(memory), block_.data(), block_.size());
        ::GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) != 0
                   ? S_OK
                   : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        *out = nullptr;
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return ::SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    std::vector<char> block_;
};

// The hand that drags: it brings the cursor over the target, wiggles it by a pixel so that the
// drag loop keeps getting mouse moves while the target is told the drag is over it, and lets go
// after a few rounds, as a person's button would.
class DraggingHand final : public IDropSource {
  public:
    explicit DraggingHand(POINT target) : target_(target) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id != IID_IUnknown && id != IID_IDropSource) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IDropSource*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
        ++rounds_;
        ::SetCursorPos(target_.x + rounds_ % 2, target_.y);
        return rounds_ < 20 ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  private:
    POINT target_;
    int rounds_ = 0;
};

DropData drag_and_drop(HWND window, const std::vector<char>& block) {
    const HRESULT initialised = ::OleInitialize(nullptr);
    expect(SUCCEEDED(initialised), "OLE cannot be initialised for the drag");
    RECT client{};
    ::GetClientRect(window, &client);
    POINT middle{client.right / 2, client.bottom / 2};
    ::ClientToScreen(window, &middle);
    DraggedFiles files(block);
    DraggingHand hand(middle);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = ::DoDragDrop(&files, &hand, DROPEFFECT_COPY, &effect);
    ::OleUninitialize();
    std::ostringstream ended;
    ended << "the drag on the dialog ended with 0x" << std::hex << result << ", effect " << effect
          << ", not a drop";
    expect(result == DRAGDROP_S_DROP, ended.str());
    return nullptr;
}

}  // namespace

DropData drop_files(HANDLE process, HWND window, const std::vector<std::filesystem::path>& files) {
    RECT client{};
    ::GetClientRect(window, &client);
    const std::vector<char> block = drop_block(files, {client.right / 2, client.bottom / 2});
    return under_wine() ? drop_in_memory(process, window, block) : drag_and_drop(window, block);
}

}  // namespace gpais::e2e
