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
// Arguments and locals are told apart by their types: given the wrong way round, a level does
// not compile.
//
// A declared parameter that the caller may leave out is a std::optional; left empty, it shows as
// not passed: NIL among the locals, ahead of them. A mode that never takes a parameter passes
// rt::not_passed in its place, which shows the same:
//
//     GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(path, log_path, rt::not_passed), ...);
//
// A local whose value is known only further down, a const one say, keeps its place among the
// locals with rt::later and is registered once declared; until then, and again once it is
// gone, it shows as NIL. Each GPAIS_LOCAL takes the first `later` slot that is free (one that
// finds none is not shown):
//
//     GPAIS_LEVEL("TINKADAT", GPAIS_ARGS(position, first, last), GPAIS_LOCALS(rt::later));
//     const Date date = own_supply_start(position);
//     GPAIS_LOCAL(date);

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "rt/to_value.hpp"
#include "rt/value.hpp"

namespace gpais::rt {

// How a level's values are read: copied, or, for a report made while the levels still stand,
// with every text variable borrowed where it lives (a document is then not held twice).
enum class Reading { copy, borrow_texts };

// Where one recorded variable lives and how to read it; `read` answers false for an argument
// that was not passed. A slot for a local not registered yet has neither and reads as NIL.
struct VarRef {
    const void* address = nullptr;
    bool (*read)(const void* address, Value& out, Reading reading) = nullptr;
};

// Stands among the arguments for one the caller did not pass, as a left-out std::optional
// parameter does: NIL among the locals, ahead of them.
struct NotPassed {};
inline constexpr NotPassed not_passed{};

// Stands among the locals for one declared after the level, registered with GPAIS_LOCAL.
struct Later {};
inline constexpr Later later{};

template <typename T>
bool read_var(const void* address, Value& out, Reading reading) {
    const T& variable = *static_cast<const T*>(address);
    if constexpr (detail::IsOptional<T>::value) {
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

inline bool read_not_passed(const void*, Value&, Reading) {
    return false;
}

template <typename T>
[[nodiscard]] VarRef var_ref(const T& variable) noexcept {
    if constexpr (std::is_same_v<T, NotPassed>) {
        return VarRef{&variable, &read_not_passed};
    } else if constexpr (std::is_same_v<T, Later>) {
        return VarRef{};
    } else {
        return VarRef{static_cast<const void*>(&variable), &read_var<T>};
    }
}

// Arguments and locals are of different types, so that a level given them the wrong way round
// does not compile.
template <std::size_t N>
struct Args {
    std::array<VarRef, N> refs{};
};

template <std::size_t N>
struct Locals {
    std::array<VarRef, N> refs{};
};

// The markers, each only where it means something.
template <typename T>
concept ArgumentVariable = !std::is_same_v<T, Later>;
template <typename T>
concept LocalVariable = !std::is_same_v<T, NotPassed>;

template <ArgumentVariable... T>
[[nodiscard]] Args<sizeof...(T)> level_args(const T&... variables) noexcept {
    return Args<sizeof...(T)>{{var_ref(variables)...}};
}

template <LocalVariable... T>
[[nodiscard]] Locals<sizeof...(T)> level_locals(const T&... variables) noexcept {
    return Locals<sizeof...(T)>{{var_ref(variables)...}};
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
    // A level of the error handler itself (the hook, the handler, the report builder): the
    // innermost run of such levels is left out of the report of the error being handled.
    bool handler = false;
};

void push_frame(Frame& frame) noexcept;
void pop_frame(Frame& frame) noexcept;

template <std::size_t NA = 0, std::size_t NL = 0>
class CallLevel {
  public:
    CallLevel(std::string_view name, int line, Args<NA> args = {}, Locals<NL> locals = {}) noexcept
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
    void mark_as_handler() noexcept { frame_.handler = true; }
    Frame& frame() noexcept { return frame_; }

    // The first `later` slot among the locals that holds no variable now; null when none is.
    [[nodiscard]] VarRef* free_local_slot() noexcept {
        for (VarRef& ref : locals_.refs) {
            if (ref.read == nullptr)
                return &ref;
        }
        return nullptr;
    }

  private:
    Args<NA> args_;
    Locals<NL> locals_;
    Frame frame_;
};

// Gives a local declared after its level a `later` slot for as long as the local lives. An
// exception that ends its life ends it before the level's: the picture of the levels is taken
// here, while the local can still be read, and the slot reads as NIL again from then on.
class LocalSlot {
  public:
    template <std::size_t NA, std::size_t NL, typename T>
    LocalSlot(CallLevel<NA, NL>& level, const T& variable) noexcept
        : frame_(level.frame()),
          slot_(level.free_local_slot()),
          exceptions_at_entry_(std::uncaught_exceptions()) {
        if (slot_ != nullptr)
            *slot_ = var_ref(variable);
    }
    LocalSlot(const LocalSlot&) = delete;
    LocalSlot& operator=(const LocalSlot&) = delete;
    ~LocalSlot();

  private:
    Frame& frame_;
    VarRef* slot_;
    int exceptions_at_entry_;
};

// The calling thread's levels, innermost first.
[[nodiscard]] std::vector<Level> current_levels();
// The levels of the error now being handled: the calling thread's, less the innermost run of
// levels marked as the handler's, which are not read at all. Whatever path led into the
// handler, every level outside that run is kept. Borrowed texts are valid only while the levels
// they were read from stand.
[[nodiscard]] std::vector<Level> failure_levels(Reading reading);

// The levels as they stood where the exception now being handled was thrown, if our own levels
// were unwound on its way; taken once, and cleared by taking.
[[nodiscard]] std::optional<std::vector<Level>> take_unwound_levels() noexcept;

// The innermost level of the calling thread, and the means to let another thread report on it
// (a stack that has overflowed cannot build a report on itself).
[[nodiscard]] Frame* innermost_frame() noexcept;
void adopt_frames(Frame* innermost) noexcept;

}  // namespace gpais::rt

#define GPAIS_ARGS(...) ::gpais::rt::level_args(__VA_ARGS__)
#define GPAIS_LOCALS(...) ::gpais::rt::level_locals(__VA_ARGS__)
#define GPAIS_LEVEL(name, ...)                    \
    ::gpais::rt::CallLevel gpais_call_level_ {    \
        name, __LINE__ __VA_OPT__(, ) __VA_ARGS__ \
    }
#define GPAIS_LINE() gpais_call_level_.at(__LINE__)
#define GPAIS_LOCAL(variable)                       \
    ::gpais::rt::LocalSlot gpais_local_##variable { \
        gpais_call_level_, variable                 \
    }
