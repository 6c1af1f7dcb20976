#pragma once
// The values that crash reports and the trace log print. Kept apart from the filter's own
// types so that failure reporting can be linked into anything without pulling the filter in.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace gpais::rt {

struct Value;
struct MapEntry;

using List = std::vector<Value>;

// Entries keep the order in which they were first set; a key set again keeps its place.
class Map {
  public:
    // Every member that destroys or copies the entries lives in value.cpp: a MapEntry holds a
    // Value, which is not complete here, and some compilers instantiate those members early.
    Map() noexcept;
    Map(std::initializer_list<MapEntry> entries);
    Map(const Map& other);
    Map(Map&& other) noexcept;
    Map& operator=(const Map& other);
    Map& operator=(Map&& other) noexcept;
    ~Map();
    void set(Value key, Value value);
    [[nodiscard]] const std::vector<MapEntry>& entries() const noexcept { return entries_; }
    [[nodiscard]] bool empty() const noexcept { return entries_.empty(); }

  private:
    std::vector<MapEntry> entries_;
};

// A calendar date or the empty date; an impossible year/month/day is stored as empty.
class CalendarDate {
  public:
    CalendarDate() = default;
    explicit CalendarDate(std::chrono::year_month_day ymd) {
        if (ymd.ok())
            ymd_ = ymd;
    }
    [[nodiscard]] bool empty() const noexcept { return !ymd_.has_value(); }
    [[nodiscard]] std::chrono::year_month_day ymd() const noexcept {
        return ymd_.value_or(std::chrono::year_month_day{});
    }
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;

  private:
    std::optional<std::chrono::year_month_day> ymd_;
};

struct CodeBlock {
    friend bool operator==(const CodeBlock&, const CodeBlock&) = default;
};
struct FunctionRef {
    std::string name;
    friend bool operator==(const FunctionRef&, const FunctionRef&) = default;
};
struct Pointer {
    const void* address = nullptr;
    friend bool operator==(const Pointer&, const Pointer&) = default;
};
// A C++ object of a kind the table of values does not know (a port, a record).
struct Opaque {
    friend bool operator==(const Opaque&, const Opaque&) = default;
};
// A text read where it lives instead of copied: a report made while the levels still stand
// holds a whole document once, in the report, not a second time in its value. Written as a
// text; valid only as long as the variable it was read from.
struct TextRef {
    std::string_view text;
    friend bool operator==(const TextRef& a, const TextRef& b) { return a.text == b.text; }
};

struct Value {
    using Storage =
        std::variant<std::monostate, bool, std::int64_t, double, CalendarDate, std::string, List,
                     Map, CodeBlock, FunctionRef, Pointer, Opaque, TextRef>;
    Storage data;

    Value() = default;
    Value(std::nullopt_t) {}
    Value(bool b) : data(b) {}
    Value(int n) : data(std::int64_t{n}) {}
    Value(long n) : data(std::int64_t{n}) {}
    Value(long long n) : data(std::int64_t{n}) {}
    Value(double d) : data(d) {}
    Value(CalendarDate d) : data(d) {}
    Value(std::string s) : data(std::move(s)) {}
    Value(std::string_view s) : data(std::string(s)) {}
    Value(const char* s) : data(std::string(s)) {}
    Value(List l) : data(std::move(l)) {}
    Value(Map m) : data(std::move(m)) {}
    Value(CodeBlock b) : data(b) {}
    Value(FunctionRef f) : data(std::move(f)) {}
    Value(Pointer p) : data(p) {}
    Value(Opaque o) : data(o) {}
    Value(TextRef t) : data(t) {}

    [[nodiscard]] bool is_nil() const noexcept { return data.index() == 0; }
    [[nodiscard]] bool is_number() const noexcept {
        return std::holds_alternative<std::int64_t>(data) || std::holds_alternative<double>(data);
    }
    template <typename T>
    [[nodiscard]] const T* get_if() const noexcept {
        return std::get_if<T>(&data);
    }
    friend bool operator==(const Value&, const Value&);
};

struct MapEntry {
    Value key;
    Value value;
    friend bool operator==(const MapEntry&, const MapEntry&) = default;
};

inline bool operator==(const Map& a, const Map& b) {
    return a.entries() == b.entries();
}

// How much of a long text or list is written. The whole of everything unless limited: a
// crash report that cannot be made whole in memory falls back to the shortened form.
struct TextLimits {
    std::size_t longest_text = SIZE_MAX;  // a longer text is shown by its first text_shown bytes
    std::size_t text_shown = SIZE_MAX;
    std::size_t longest_list = SIZE_MAX;  // a longer list by its first list_shown elements
    std::size_t list_shown = SIZE_MAX;
};
inline constexpr TextLimits whole_values{};
inline constexpr TextLimits shortened_values{64 * 1024, 4096, 1000, 1000};

// The one-line text form of a value, as the crash report and the trace log write it.
[[nodiscard]] std::string expression_text(const Value& value);
void append_expression_text(std::string& out, const Value& value,
                            const TextLimits& limits = whole_values);
// A count of bytes grown by `bytes`, stopping at `most` instead of wrapping past it: on a 32-bit
// build the values of one report can pass 4 GiB, and a wrapped count would pass for a short
// report and size its buffer too small. `count` is at most `most`.
[[nodiscard]] constexpr std::size_t add_saturating(std::size_t count, std::size_t bytes,
                                                   std::size_t most = SIZE_MAX) noexcept {
    return bytes <= most - count ? count + bytes : most;
}

// Its length in bytes, found without making it, so that a report can be made in one buffer of
// the right size. A length past `most` is given as `most`; that is the type's maximum except
// where a test gives a small one to see the count stop.
[[nodiscard]] std::size_t expression_text_size(const Value& value,
                                               const TextLimits& limits = whole_values,
                                               std::size_t most = SIZE_MAX);

}  // namespace gpais::rt
