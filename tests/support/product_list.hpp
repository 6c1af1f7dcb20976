#pragma once
// A small product list as GPAIS writes one, with CR LF line ends, for tests that run the filter
// on its bytes.

#include <initializer_list>
#include <string>
#include <string_view>

namespace gpais::testing {

struct ListedPosition {
    std::string_view code;
    std::string_view date;  // when it started to be supplied, "YYYY-MM-DD"
};

inline const std::string list_head =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<produktai>\r\n";
inline const std::string list_end = "</produktai>\r\n";

// One position; `element` is the kind of product, as each GPAIS list names its positions.
inline std::string list_position(std::string_view element, std::string_view code,
                                 std::string_view date) {
    const std::string name(element);
    return "  <" + name + ">\r\n    <kodas>" + std::string(code) +
           "</kodas>\r\n    <pradetaTiektiNuo>" + std::string(date) +
           "</pradetaTiektiNuo>\r\n  </" + name + ">\r\n";
}

inline std::string product_list(std::string_view element,
                                std::initializer_list<ListedPosition> positions) {
    std::string list = list_head;
    for (const ListedPosition& p : positions)
        list += list_position(element, p.code, p.date);
    return list + list_end;
}

// The positions the run's tests and the command's tests filter: two in November 2026, one the
// day before it.
inline constexpr ListedPosition a1_in_november{"A1", "2026-11-05"};
inline constexpr ListedPosition b2_before_november{"B2", "2026-10-31"};
inline constexpr ListedPosition c3_in_november{"C3", "2026-11-30"};

}  // namespace gpais::testing
