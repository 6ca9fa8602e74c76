#include "core/weeks/week_navigation.h"

#include <cmath>

#include "core/weeks/week_number.h"

namespace orbelquint {

std::optional<std::chrono::year_month_day> SearchTypedWeek(std::chrono::year_month_day start, double typed,
                                                           std::int16_t current) {
    if (typed == current) return start;
    if (typed < 1 || typed > 54 || std::floor(typed) != typed) return std::nullopt;
    const int step = typed < current ? -1 : 1;
    std::chrono::sys_days day{start};
    for (int steps = 0; steps < kTypedWeekSearchLimit; ++steps) {
        day += std::chrono::days{step};
        if (WeekOfDate(std::chrono::year_month_day{day}) == typed) return std::chrono::year_month_day{day};
    }
    return std::nullopt;
}

}  // namespace orbelquint
