#pragma once
// One owner for every handle kind of the system: closes its handle exactly once, moves, never
// copies. A kind says what its empty value is, since the systems mark "no handle" differently by
// kind: most Windows functions give nullptr, CreateFileW gives INVALID_HANDLE_VALUE, Linux -1.
//
//     UniqueFile file{::CreateFileW(...)};
//     if (!file) ...                         // failed: nothing to close
//     UniqueRegistryKey key;
//     ::RegOpenKeyExW(root, name, 0, KEY_READ, key.put());  // filled in place

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <utility>

namespace gpais {

template <typename Traits>
class UniqueHandle {
  public:
    using type = typename Traits::type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(type handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

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

#ifdef _WIN32

// The kinds whose functions answer nullptr for "no handle".
template <typename T>
struct NullWhenEmpty {
    using type = T;
    static constexpr type empty() noexcept { return nullptr; }
    static constexpr bool is_empty(type handle) noexcept { return handle == nullptr; }
};

// Processes, threads, events: CloseHandle, and nullptr when there is none.
struct KernelHandleTraits : NullWhenEmpty<HANDLE> {
    static void close(type handle) noexcept { ::CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// CreateFileW answers INVALID_HANDLE_VALUE, which is no constant expression; a nullptr, which
// some other openers of files answer, is no file either.
struct FileTraits {
    using type = HANDLE;
    static type empty() noexcept { return INVALID_HANDLE_VALUE; }
    static bool is_empty(type file) noexcept {
        return file == INVALID_HANDLE_VALUE || file == nullptr;
    }
    static void close(type file) noexcept { ::CloseHandle(file); }
};
using UniqueFile = UniqueHandle<FileTraits>;

struct ModuleTraits : NullWhenEmpty<HMODULE> {
    static void close(type module) noexcept { ::FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

struct RegistryKeyTraits : NullWhenEmpty<HKEY> {
    static void close(type key) noexcept { ::RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

template <typename T>
struct GdiObjectTraits : NullWhenEmpty<T> {
    static void close(T object) noexcept { ::DeleteObject(object); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<HGDIOBJ>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;

// A device context made with CreateCompatibleDC, given back with DeleteDC.
struct MemoryDcTraits : NullWhenEmpty<HDC> {
    static void close(type dc) noexcept { ::DeleteDC(dc); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// The screen's device context is borrowed with GetDC(nullptr), not made, and goes back with
// ReleaseDC.
struct ScreenDcTraits : NullWhenEmpty<HDC> {
    static void close(type dc) noexcept { ::ReleaseDC(nullptr, dc); }
};
using UniqueScreenDc = UniqueHandle<ScreenDcTraits>;

#else

// A file descriptor; open() answers -1 for none.
struct FileTraits {
    using type = int;
    static constexpr type empty() noexcept { return -1; }
    static constexpr bool is_empty(type file) noexcept { return file < 0; }
    static void close(type file) noexcept { ::close(file); }
};
using UniqueFile = UniqueHandle<FileTraits>;

#endif

}  // namespace gpais
