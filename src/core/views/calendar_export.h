#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/timetable/week_page.h"
#include "core/weeks/bell_times.h"
#include "core/weeks/week_number.h"

namespace orbelquint {

// What a calendar of the lessons is made of: the data file and series filter of `page` (its week
// is set for each week the range needs), the dates, the clock times of the lesson hours, the free
// days and the time zone the times are local to.
struct CalendarRequest {
    WeekPageRequest page;
    std::chrono::year_month_day from;
    std::chrono::year_month_day to;
    BellTimes bellTimes = DefaultBellTimes();
    std::vector<DateRange> freeDays;
    std::string timeZone = "Europe/Brussels";
    std::int64_t stamp = 0;  // the time of the export, in seconds since 1970 (UTC)
    // Told after each week page read how many are read of how many the range needs, and now and
    // then while the events are written; the export stops there, writing nothing, when it answers
    // false.
    std::function<bool(std::size_t read, std::size_t needed)> goOn = {};
};

// What a calendar holds and what it leaves out, each lesson counted once however often it recurs.
struct CalendarReport {
    std::size_t events = 0;
    std::size_t withoutHour = 0;         // lessons whose line begins with no hour
    std::size_t withoutBellTime = 0;     // lessons of an hour the bell-time table has no times for
    std::size_t daysWithoutWeekday = 0;  // day blocks whose heading names no day of the week
    // Lessons on the Sundays the clock changes that begin or end in the hour it skips or repeats
    // (02:00 to 03:00), which calendars may place an hour apart; counted by date.
    std::size_t atClockChange = 0;
};

struct CalendarResult {
    WeekPageResult page;  // of the last week built: its status, message and the heading
    CalendarReport report;
    bool stopped = false;  // goOn said to stop
};

// The longest range a calendar covers: a school year, with a leap day.
inline constexpr int kLongestCalendarRange = 366;
// The years a calendar's dates may lie in: those its time zone's rules are written for, on to the
// last that a date of four digits holds.
inline constexpr int kFirstCalendarYear = 1970;
inline constexpr int kLastCalendarYear = 9999;

// Why `range` is no range for a calendar (it ends before it begins, is longer than
// kLongestCalendarRange days or lies outside the calendar's years), in Dutch; empty when it is one.
std::string CalendarRangeProblem(const DateRange& range);

// What a calendar holds and leaves out, in Dutch, to follow the words that say where it went:
// "42 afspraken, 3 lessen zonder uur of beltijd weggelaten." and the clock change's warning.
std::string CalendarReportText(const CalendarReport& report);

// What a calendar says of `lessons` at the clock's change (CalendarReport::atClockChange), in Dutch.
std::string ClockChangeWarning(std::size_t lessons);

// The zones that keep the European Union's summer time with one hour from UTC in winter, for
// which the calendar's time zone is written.
bool IsCentralEuropeanZone(std::string_view zone);

// The calendar (RFC 5545) of the request's lessons: for every date, the lessons that the week page
// of its week shows in the day block of its day of the week, at the clock times of their hours;
// none on free days. One event per lesson and run of weeks within a school year, repeating weekly;
// a UID that stays the same for the same lesson and date whatever the range, free days, filter or
// time of export. The data file is read once; the lessons are held once each, at most 64 MB of
// them, and a week of more than kMaxGridLessons lessons is refused, saying so. Linear in the
// lessons of the range's weeks.
CalendarResult BuildCalendar(const CalendarRequest& request, std::string& ics);

}  // namespace orbelquint
