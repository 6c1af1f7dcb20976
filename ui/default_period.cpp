#include "ui/default_period.hpp"

namespace gpais::ui {

Period default_period(std::chrono::year_month_day today) noexcept {
    using namespace std::chrono;
    const year_month_day_last month_end{today.year(), month_day_last{today.month()}};
    const year_month_day last =
        today == year_month_day{month_end}
            ? today
            : year_month_day{sys_days{today.year() / today.month() / 1} - days{1}};
    return Period{Date{last.year() / last.month() / 1}, Date{last}};
}

}  // namespace gpais::ui
