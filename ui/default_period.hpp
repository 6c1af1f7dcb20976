#pragma once
// The period the calendars open with: the last complete month, or the current month when
// today is its last day (so a report made on the last evening of a month covers that month).

#include <chrono>

#include "filter/date.hpp"

namespace gpais::ui {

struct Period {
    Date first;
    Date last;
    friend bool operator==(const Period&, const Period&) = default;
};

[[nodiscard]] Period default_period(std::chrono::year_month_day today) noexcept;

}  // namespace gpais::ui
