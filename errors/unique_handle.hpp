#pragma once
// One owner per Windows handle kind: closes its handle exactly once, moves, never copies.

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
    explicit operator bool() const noexcept { return handle_ != Traits::empty(); }

    type release() noexcept { return std::exchange(handle_, Traits::empty()); }
    void reset(type handle = Traits::empty()) noexcept {
        const type old = std::exchange(handle_, handle);
        if (old != Traits::empty())
            Traits::close(old);
    }

  private:
    type handle_ = Traits::empty();
};

struct module_traits {
    using type = HMODULE;
    static type empty() noexcept { return nullptr; }
    static void close(type module) noexcept { ::FreeLibrary(module); }
};
using unique_module = unique_handle<module_traits>;

// INVALID_HANDLE_VALUE is not a constant expression, so the empty value comes from a function.
struct file_traits {
    using type = HANDLE;
    static type empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type file) noexcept { ::CloseHandle(file); }
};
using unique_file = unique_handle<file_traits>;

struct registry_key_traits {
    using type = HKEY;
    static type empty() noexcept { return nullptr; }
    static void close(type key) noexcept { ::RegCloseKey(key); }
};
using unique_registry_key = unique_handle<registry_key_traits>;

}  // namespace gpais
