#pragma once
// One owner for every Windows handle kind: closes its handle exactly once, moves, never copies.
// A kind says what its empty value is, since Windows marks "no handle" differently by kind: most
// functions give nullptr, CreateFileW gives INVALID_HANDLE_VALUE.
//
//     unique_file file{::CreateFileW(...)};
//     if (!file) ...                         // failed: nothing to close
//     unique_registry_key key;
//     ::RegOpenKeyExW(root, name, 0, KEY_READ, key.put());  // filled in place

#include <windows.h>

#include <utility>

namespace gpais {

template <typename Traits>
class unique_handle {
  public:
    using type = typename Traits::type;

    unique_handle() noexcept = default;
    explicit unique_handle(type handle) noexcept : handle_(handle) {}
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;
    unique_handle(unique_handle&& other) noexcept : handle_(other.release()) {}
    unique_handle& operator=(unique_handle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~unique_handle() { reset(); }

    [[nodiscard]] type get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return !Traits::is_empty(handle_); }

    type release() noexcept { return std::exchange(handle_, Traits::empty()); }
    void reset(type handle = Traits::empty()) noexcept {
        const type old = std::exchange(handle_, handle);
        if (!Traits::is_empty(old))
            Traits::close(old);
    }
    // For a function that hands its handle back through a pointer: whatever was held is closed
    // first, so nothing leaks when one owner is filled twice.
    [[nodiscard]] type* put() noexcept {
        reset();
        return &handle_;
    }

  private:
    type handle_ = Traits::empty();
};

// The kinds whose functions answer nullptr for "no handle".
template <typename T>
struct null_when_empty {
    using type = T;
    static constexpr type empty() noexcept { return nullptr; }
    static constexpr bool is_empty(type handle) noexcept { return handle == nullptr; }
};

// Processes, threads, events: CloseHandle, and nullptr when there is none.
struct kernel_handle_traits : null_when_empty<HANDLE> {
    static void close(type handle) noexcept { ::CloseHandle(handle); }
};
using unique_kernel_handle = unique_handle<kernel_handle_traits>;

// CreateFileW answers INVALID_HANDLE_VALUE, which is no constant expression; a nullptr, which
// some other openers of files answer, is no file either.
struct file_traits {
    using type = HANDLE;
    static type empty() noexcept { return INVALID_HANDLE_VALUE; }
    static bool is_empty(type file) noexcept {
        return file == INVALID_HANDLE_VALUE || file == nullptr;
    }
    static void close(type file) noexcept { ::CloseHandle(file); }
};
using unique_file = unique_handle<file_traits>;

struct module_traits : null_when_empty<HMODULE> {
    static void close(type module) noexcept { ::FreeLibrary(module); }
};
using unique_module = unique_handle<module_traits>;

struct registry_key_traits : null_when_empty<HKEY> {
    static void close(type key) noexcept { ::RegCloseKey(key); }
};
using unique_registry_key = unique_handle<registry_key_traits>;

template <typename T>
struct gdi_object_traits : null_when_empty<T> {
    static void close(T object) noexcept { ::DeleteObject(object); }
};
using unique_gdi_object = unique_handle<gdi_object_traits<HGDIOBJ>>;
using unique_font = unique_handle<gdi_object_traits<HFONT>>;

// A device context made with CreateCompatibleDC, given back with DeleteDC.
struct memory_dc_traits : null_when_empty<HDC> {
    static void close(type dc) noexcept { ::DeleteDC(dc); }
};
using unique_memory_dc = unique_handle<memory_dc_traits>;

// The screen's device context is borrowed with GetDC(nullptr), not made, and goes back with
// ReleaseDC.
struct screen_dc_traits : null_when_empty<HDC> {
    static void close(type dc) noexcept { ::ReleaseDC(nullptr, dc); }
};
using unique_screen_dc = unique_handle<screen_dc_traits>;

}  // namespace gpais
