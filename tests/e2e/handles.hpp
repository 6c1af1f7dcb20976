// Owners of the Windows handles that the driver opens, so that a failed check anywhere still
// closes them (and never leaves a test program running behind CTest's back).
#pragma once

#include <windows.h>

#include "errors/unique_handle.hpp"

namespace gpais::e2e {

// The program's own gpais::unique_handle, with the handle kinds only the driver needs.
struct kernel_handle_traits {
    using type = HANDLE;
    static type empty() noexcept { return nullptr; }
    static void close(type h) noexcept { ::CloseHandle(h); }
};
using unique_kernel_handle = unique_handle<kernel_handle_traits>;

struct gdi_object_traits {
    using type = HGDIOBJ;
    static type empty() noexcept { return nullptr; }
    static void close(type h) noexcept { ::DeleteObject(h); }
};
using unique_gdi_object = unique_handle<gdi_object_traits>;

struct memory_dc_traits {
    using type = HDC;
    static type empty() noexcept { return nullptr; }
    static void close(type h) noexcept { ::DeleteDC(h); }
};
using unique_memory_dc = unique_handle<memory_dc_traits>;

// The screen's DC is borrowed, not created, and goes back with ReleaseDC.
class screen_dc {
  public:
    screen_dc() noexcept : dc_(::GetDC(nullptr)) {}
    screen_dc(const screen_dc&) = delete;
    screen_dc& operator=(const screen_dc&) = delete;
    ~screen_dc() {
        if (dc_ != nullptr) {
            ::ReleaseDC(nullptr, dc_);
        }
    }
    HDC get() const noexcept { return dc_; }

  private:
    HDC dc_;
};

}  // namespace gpais::e2e
