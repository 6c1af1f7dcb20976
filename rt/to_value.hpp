#pragma once
// How a C++ variable of the program reads as a report value. Read only when a report or a trace
// line is made, never while the program merely runs.

#include <chrono>
#include <concepts>
#include <cstdint>
#include <functional>
#include <optional>
#include <ranges>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "rt/value.hpp"

namespace gpais::rt {

// A date type of the program's own (the filter keeps one) reads as a date without the recorder,
// which lies below the filter, having to know it: anything that says whether it is empty and
// gives its year_month_day.
template <typename T>
concept DateLike = requires(const T& d) {
    { d.empty() } -> std::convertible_to<bool>;
    { d.ymd() } -> std::convertible_to<std::chrono::year_month_day>;
};

template <typename T>
concept PairLike = requires(const T& p) {
    p.first;
    p.second;
};

// A type of the program that knows how it reads in a report gives, beside itself, a function
// to_report_value(const T&) returning a Value; the recorder need not know the type.
template <typename T>
concept HasReportValue = requires(const T& v) {
    { to_report_value(v) } -> std::convertible_to<Value>;
};

template <typename T>
[[nodiscard]] Value to_value(const T& v);

namespace detail {
template <typename T>
struct IsOptional : std::false_type {};
template <typename T>
struct IsOptional<std::optional<T>> : std::true_type {};
template <typename T>
struct IsStdFunction : std::false_type {};
template <typename S>
struct IsStdFunction<std::function<S>> : std::true_type {};
}  // namespace detail

template <typename T>
Value to_value(const T& v) {
    if constexpr (std::is_same_v<T, Value>) {
        return v;
    } else if constexpr (HasReportValue<T>) {
        return to_report_value(v);
    } else if constexpr (std::is_same_v<T, bool>) {
        return Value(v);
    } else if constexpr (std::is_same_v<T, char>) {
        return Value(std::string(1, v));
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        return Value(static_cast<std::int64_t>(v));
    } else if constexpr (std::is_floating_point_v<T>) {
        return Value(static_cast<double>(v));
    } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
        return Value(std::string_view(v));
    } else if constexpr (std::is_same_v<T, std::chrono::year_month_day>) {
        return Value(CalendarDate(v));
    } else if constexpr (std::is_same_v<T, CalendarDate>) {
        return Value(v);
    } else if constexpr (DateLike<T>) {
        return v.empty() ? Value(CalendarDate{}) : Value(CalendarDate(v.ymd()));
    } else if constexpr (detail::IsOptional<T>::value) {
        return v ? to_value(*v) : Value{};
    } else if constexpr (std::is_same_v<T, std::nullptr_t>) {
        return Value{};
    } else if constexpr (std::is_pointer_v<T>) {
        return Value(Pointer{static_cast<const void*>(v)});
    } else if constexpr (detail::IsStdFunction<T>::value) {
        return v ? Value(CodeBlock{}) : Value{};
    } else if constexpr (std::ranges::input_range<const T>) {
        using Element = std::ranges::range_value_t<const T>;
        if constexpr (PairLike<Element>) {
            Map map;
            for (const auto& [key, value] : v)
                map.set(to_value(key), to_value(value));
            return Value(std::move(map));
        } else {
            List list;
            for (const auto& element : v)
                list.push_back(to_value(element));
            return Value(std::move(list));
        }
    } else {
        return Value(Opaque{});
    }
}

}  // namespace gpais::rt
