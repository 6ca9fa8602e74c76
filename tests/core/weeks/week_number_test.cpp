#include "core/weeks/week_number.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

using namespace std::chrono;

TEST(WeekFromDateTest, GivesTheWeekOfEveryWorkedDate) {
    const std::pair<const char*, int> cases[] = {
        {"01-01-2003", 1},  {"05-01-2003", 1},  {"06-01-2003", 2}, {"01-03-2003", 9},  {"29-12-2003", 53},
        {"31-12-2003", 53}, {"01-01-2004", 1},  {"29-02-2004", 9}, {"01-03-2004", 10}, {"01-01-2012", 1},
        {"02-01-2012", 2},  {"31-12-2012", 54}, {"5-01-2003", 1},  {"31-12-1900", 53}, {"31-12-2000", 53},
        {"28-02-2100", 9},  {"08-12-2026", 50},
    };
    for (const auto& [text, week] : cases)
        EXPECT_EQ(WeekFromDate(text), week) << text;
}

// Counts the weeks day by day: a new week on every Monday, week 1 again on every 1 January.
TEST(WeekFromDateTest, AgreesWithCountingDaysFrom1900To2100) {
    int week = 1;
    for (sys_days day = sys_days{1900y / January / 1}; day <= sys_days{2100y / December / 31};
         day += days{1}) {
        const year_month_day date{day};
        if (date.month() == January && date.day() == 1d) {
            week = 1;
        } else if (weekday{day} == Monday) {
            ++week;
        }
        ASSERT_EQ(WeekFromDate(DateText(date)), week) << DateText(date);
    }
}

TEST(DateTextTest, WritesAndReadsDayMonthYear) {
    EXPECT_EQ(DateText(2003y / January / 5), "05-01-2003");
    EXPECT_EQ(DateText(year{987} / December / 31), "31-12-0987");
    EXPECT_EQ(DateFromText("5-01-2003"), 2003y / January / 5);
    EXPECT_EQ(DateFromText("29-02-2004"), 2004y / February / 29);
    EXPECT_EQ(DateFromText("01-01-0001"), year{1} / January / 1);
}

TEST(DateTextTest, RefusesWhatIsNoDateInTheLayout) {
    for (const char* text : {"", "1-1-2003", "01-1-2003", "01-01-03", "2003-01-01", "01/01/2003",
                             "29-02-2003", "31-04-2004", "00-01-2004", "01-13-2004", "01-01-0000",
                             " 1-01-2003", "011-01-2003", "+1-01-2003", "01-01-2003 "}) {
        EXPECT_EQ(DateFromText(text), std::nullopt) << text;
        EXPECT_EQ(WeekFromDate(text), std::nullopt) << text;
    }
}

// A school year runs from September to June; July and August look ahead to the coming one.
TEST(DateTextTest, SchoolYearsAndDateRanges) {
    const std::pair<year_month_day, DateRange> years[] = {
        {2027y / June / 30, {2026y / September / 1, 2027y / June / 30}},
        {2027y / July / 1, {2027y / September / 1, 2028y / June / 30}},
        {2026y / August / 31, {2026y / September / 1, 2027y / June / 30}},
        {2026y / December / 31, {2026y / September / 1, 2027y / June / 30}},
        {2027y / January / 1, {2026y / September / 1, 2027y / June / 30}}};
    for (const auto& [today, schoolYear] : years)
        EXPECT_EQ(SchoolYearOf(today), schoolYear) << DateText(today);

    const DateRange holiday = {2026y / December / 21, 2027y / January / 1};
    EXPECT_EQ(DateRangeFromText("21-12-2026..01-01-2027"), holiday);
    EXPECT_EQ(DateRangeText(holiday), "21-12-2026..01-01-2027");
    EXPECT_EQ(DateRangeText({2027y / May / 6, 2027y / May / 6}), "06-05-2027");
    EXPECT_EQ(DateRangeFromText("6-05-2027"), (DateRange{2027y / May / 6, 2027y / May / 6}));
    for (const char* text : {"02-01-2027..01-01-2027", "01-01-2027..", "..01-01-2027",
                             "01-01-2027...02-01-2027", "01-01-2027-02-01-2027", ""})
        EXPECT_EQ(DateRangeFromText(text), std::nullopt) << text;
}

}  // namespace
}  // namespace orbelquint
