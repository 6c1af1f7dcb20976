#pragma once
// Call levels: each of the program's functions records, in one line at its top, its name, the
// line it is executing and where its arguments and locals live. Nothing is read until a crash
// report needs it, so a recorded call costs a few stores.
//
//     std::string document;
//     int kept = 0;
//     GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(path, from, to), GPAIS_LOCALS(document, kept));
//     ...
//     GPAIS_LINE();  // before a statement that may fail, so the report names it
//
// A declared parameter that the caller may leave out is a std::optional; left empty, it shows as
// not passed: NIL among the locals, ahead of them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "errors/to_value.hpp"
#include "errors/value.hpp"

namespace gpais::rt {

// How a level's values are read: copied, or, for a report made while the levels still stand,
// with every text variable borrowed where it lives (a document is then not held twice).
enum class Reading { copy, borrow_texts };

// Where one recorded variable lives and how to read it; `read` answers false for an optional
// parameter the caller left out.
struct VarRef {
    const void* address = nullptr;
    bool (*read)(const void* address, Value& out, Reading reading) = nullptr;
};

template <typename T>
bool read_var(const void* address, Value& out, Reading reading) {
    const T& variable = *static_cast<const T*>(address);
    if constexpr (detail::is_optional<T>::value) {
        if (!variable)
            return false;
    }
    if constexpr (std::is_convertible_v<const T&, std::string_view> && !std::is_pointer_v<T>) {
        if (reading == Reading::borrow_texts) {
            out = Value(TextRef{std::string_view(variable)});
            return true;
        }
    }
    out = to_value(variable);
    return true;
}

template <std::size_t N>
struct Vars {
    std::array<VarRef, N> refs{};
};

template <typename... T>
[[nodiscard]] Vars<sizeof...(T)> level_vars(const T&... variables) noexcept {
    return Vars<sizeof...(T)>{{VarRef{static_cast<const void*>(&variables), &read_var<T>}...}};
}

// One level as a report prints it, values already read.
struct Level {
    std::string name;
    int line = 0;
    List args;
    List locals;
    friend bool operator==(const Level&, const Level&) = default;
};

struct Frame {
    std::string_view name;
    int line = 0;
    const VarRef* args = nullptr;
    std::size_t arg_count = 0;
    const VarRef* locals = nullptr;
    std::size_t local_count = 0;
    Frame* outer = nullptr;
    std::uint64_t serial = 0;
    int exceptions_at_entry = 0;
    // Set on the level through which an escaped exception is reported: the levels outside it
    // are those that stood when the exception was thrown, not the live ones.
    const std::vector<Level>* outer_levels = nullptr;
    bool hidden = false;  // carries outer_levels but is not a level of its own
};

void push_frame(Frame& frame) noexcept;
void pop_frame(Frame& frame) noexcept;

template <std::size_t NA = 0, std::size_t NL = 0>
class CallLevel {
  public:
    CallLevel(std::string_view name, int line, Vars<NA> args = {}, Vars<NL> locals = {}) noexcept
        : args_(args), locals_(locals) {
        frame_.name = name;
        frame_.line = line;
        frame_.args = args_.refs.data();
        frame_.arg_count = NA;
        frame_.locals = locals_.refs.data();
        frame_.local_count = NL;
        push_frame(frame_);
    }
    CallLevel(const CallLevel&) = delete;
    CallLevel& operator=(const CallLevel&) = delete;
    ~CallLevel() { pop_frame(frame_); }

    void at(int line) noexcept { frame_.line = line; }
    Frame& frame() noexcept { return frame_; }

  private:
    Vars<NA> args_;
    Vars<NL> locals_;
    Frame frame_;
};

// The calling thread's levels, innermost first.
[[nodiscard]] std::vector<Level> current_levels();
// The same less the `skipped` innermost ones, which are not read at all. Borrowed texts are
// valid only while the levels they were read from stand.
[[nodiscard]] std::vector<Level> current_levels(std::size_t skipped, Reading reading);
[[nodiscard]] Level read_level(const Frame& frame, Reading reading = Reading::copy);

// The levels as they stood where the exception now being handled was thrown, if our own levels
// were unwound on its way; taken once, and cleared by taking.
[[nodiscard]] std::optional<std::vector<Level>> take_unwound_levels() noexcept;

// The innermost level of the calling thread, and the means to let another thread report on it
// (a stack that has overflowed cannot build a report on itself).
[[nodiscard]] Frame* innermost_frame() noexcept;
void adopt_frames(Frame* innermost) noexcept;

}  // namespace gpais::rt

#define GPAIS_ARGS(...) ::gpais::rt::level_vars(__VA_ARGS__)
#define GPAIS_LOCALS(...) ::gpais::rt::level_vars(__VA_ARGS__)
#define GPAIS_LEVEL(name, ...)                    \
    ::gpais::rt::CallLevel gpais_call_level_ {    \
        name, __LINE__ __VA_OPT__(, ) __VA_ARGS__ \
    }
#define GPAIS_LINE() gpais_call_level_.at(__LINE__)
