#include "core/weeks/week_navigation.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

using namespace std::chrono;

TEST(SearchTypedWeekTest, StopsAtTheNearestDayOfTheTypedWeekInItsDirection) {
    const year_month_day start = 2026y / December / 8;  // week 50
    struct Case {
        double typed;
        std::optional<year_month_day> stop;
    };
    const Case cases[] = {
        {50, start},                  // the current week: no search
        {49, 2026y / December / 6},   // back to the Sunday before
        {1, 2026y / January / 4},     // back to the last day of week 1
        {51, 2026y / December / 14},  // on to the next Monday
        {53, 2026y / December / 28},
        {54, 2040y / December / 31},  // the next leap year that begins on a Sunday
        {60, std::nullopt},
        {-3, std::nullopt},
        {2.5, std::nullopt},
        {55, std::nullopt},
    };
    for (const auto& [typed, stop] : cases)
        EXPECT_EQ(SearchTypedWeek(start, typed, 50), stop) << typed;
}

TEST(SearchTypedWeekTest, SearchesBackwardsWhenTheNumberIsBelowTheCurrentWeek) {
    EXPECT_EQ(SearchTypedWeek(2026y / December / 8, 54, 55), 2012y / December / 31);
}

}  // namespace
}  // namespace orbelquint
