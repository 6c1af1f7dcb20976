#include "ui/logo.hpp"

#include <array>
#include <cstddef>
#include <utility>

#include "base/unique_handle.hpp"
#include "ui/calendar_fonts.hpp"
#include "ui/control_message.hpp"
#include "ui/screen_scale.hpp"

namespace gpais::ui {

namespace {

// A resource name for the "W" calls; the names are ASCII and short, so no allocation can fail.
std::array<wchar_t, 32> resource_name(std::string_view name) noexcept {
    std::array<wchar_t, 32> wide{};
    for (std::size_t i = 0; i < name.size() && i + 1 < wide.size(); ++i)
        wide[i] = static_cast<wchar_t>(name[i]);
    return wide;
}

// The control does not own a bitmap it is given, so a drawn one lives until the process ends.
UniqueGdiObject& drawn_logo() noexcept {
    static UniqueGdiObject bitmap;
    return bitmap;
}

// The resource bitmap drawn at `size` with averaging, not by dropping or doubling pixels, so the
// lines and letters of a logo between two of its sizes stay smooth.
HBITMAP draw_logo(HINSTANCE module, const LogoBitmap& source, int size) noexcept {
    const UniqueGdiObject loaded{::LoadImageW(module, resource_name(source.resource).data(),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)};
    const UniqueScreenDc screen{::GetDC(nullptr)};
    if (!loaded || !screen)
        return nullptr;
    const UniqueMemoryDc from{::CreateCompatibleDC(screen.get())};
    const UniqueMemoryDc to{::CreateCompatibleDC(screen.get())};
    UniqueGdiObject drawn{::CreateCompatibleBitmap(screen.get(), size, size)};
    if (!from || !to || !drawn)
        return nullptr;
    const HGDIOBJ from_before = ::SelectObject(from.get(), loaded.get());
    const HGDIOBJ to_before = ::SelectObject(to.get(), drawn.get());
    ::SetStretchBltMode(to.get(), HALFTONE);
    ::SetBrushOrgEx(to.get(), 0, 0, nullptr);
    const BOOL stretched = ::StretchBlt(to.get(), 0, 0, size, size, from.get(), 0, 0, source.size,
                                        source.size, SRCCOPY);
    // A bitmap still selected into a device context cannot be shown by the control.
    ::SelectObject(to.get(), to_before);
    ::SelectObject(from.get(), from_before);
    if (!stretched)
        return nullptr;
    drawn_logo() = std::move(drawn);
    return static_cast<HBITMAP>(drawn_logo().get());
}

}  // namespace

void create_logo(HWND dialog) noexcept {
    const LogoPlacement logo = logo_placement(screen_pixels_per_inch());
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    const DWORD style =
        WS_CHILD | WS_VISIBLE | SS_BITMAP | (logo.under_neighbours ? WS_CLIPSIBLINGS : 0);
    HWND control = nullptr;
    if (logo.source.size == logo.size) {
        // The control loads the bitmap named by its text and takes its size.
        control = ::CreateWindowExW(0, L"STATIC", resource_name(logo.source.resource).data(), style,
                                    logo.x, logo.y, 0, 0, dialog, nullptr, module, nullptr);
    } else {
        control = ::CreateWindowExW(0, L"STATIC", L"", style, logo.x, logo.y, logo.size, logo.size,
                                    dialog, nullptr, module, nullptr);
        if (control == nullptr)
            return;
        if (HBITMAP drawn = draw_logo(module, logo.source, logo.size))
            CONTROLMESSAGE(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(drawn));
    }
    if (control != nullptr && logo.under_neighbours)
        ::SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace gpais::ui
