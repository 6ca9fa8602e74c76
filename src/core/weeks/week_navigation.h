#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace orbelquint {

// The search for a typed week number steps the calendar one day at a time and gives up after
// this many steps: 400 years, one full cycle of the calendar.
inline constexpr int kTypedWeekSearchLimit = 146097;

// The date at which the calendar stops when the user types `typed` in the week box while
// `current` is the current week: `start` itself when the number is the current week, else the
// first date from `start` on, stepping a day at a time backwards (typed below current) or forwards,
// whose week number is the typed one. nullopt for a number that is no week (not a whole number
// from 1 to 54) or that the search does not reach within its limit.
std::optional<std::chrono::year_month_day> SearchTypedWeek(std::chrono::year_month_day start, double typed,
                                                           std::int16_t current);

}  // namespace orbelquint
