// Generated timetables exported as calendars and read back by an independent reader, against a
// model that knows the timetable's lessons, the week numbering and the summer time on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/views/calendar_export.h"
#include "support/read_calendar.h"
#include "support/test_files.h"

namespace orbelquint {
namespace {

using namespace std::chrono;

struct ModelLesson {
    int hour = 0;  // 0: none ("MU"), 9: no bell time
    int from = 0;
    int to = 0;
    int series = 0;
    std::string summary;  // what the calendar must call it
};

struct ModelDay {
    unsigned weekday = 0;  // Monday 0
    std::vector<ModelLesson> lessons;
};

struct ModelTimetable {
    std::string bytes;
    std::vector<ModelDay> days;
};

std::string TwoDigits(int number) {
    return (number < 10 ? " " : "") + std::to_string(number);
}

ModelTimetable RandomTimetable(unsigned seed) {
    static const char* kNames[] = {"Maandag", "DINSDAG", " woensdag ", "Donderdag", "Vrijdag"};
    static const char* kTexts[] = {"Analyse", "Frans, Duits; Engels", "Les\\bord", "a  b"};
    std::mt19937 random(seed);
    const auto pick = [&random](int count) {
        return static_cast<int>(random() % static_cast<unsigned>(count));
    };
    ModelTimetable timetable;
    timetable.bytes = "<html><body><h1>4A</h1>\r\n<pre>\r\n</pre>\r\n";
    for (unsigned weekday = 0; weekday < 5; ++weekday) {
        ModelDay day{weekday, {}};
        // A day heading also on the line that closes the block before it.
        const std::string heading = std::string("<h3>") + kNames[weekday] + "</h3><pre>";
        if (weekday > 0 && pick(2) == 0) {
            timetable.bytes.erase(timetable.bytes.size() - 8);  // "</pre>\r\n"
            timetable.bytes += "</pre>" + heading;
        } else {
            timetable.bytes += heading;
        }
        const int count = 1 + pick(8);
        for (int i = 0; i < count; ++i) {
            ModelLesson lesson;
            lesson.hour = pick(10);
            lesson.from = 1 + pick(53);
            lesson.to = pick(6) == 0 ? 53 : lesson.from + pick(54 - lesson.from);
            lesson.series = pick(2) == 0 ? 0 : pick(4);
            const std::string text = kTexts[pick(4)];
            const std::string hour = lesson.hour == 0 ? "MU" : std::to_string(lesson.hour) + " ";
            std::string line = hour;
            line += " WIS  PEE " + TwoDigits(lesson.from) + "-" + TwoDigits(lesson.to) + " B104  " + text;
            line.resize(50, ' ');
            // A lesson for the whole class has a blank series field or " 0", which the grid shows.
            const bool blankSeries = lesson.series == 0 && pick(2) == 0;
            timetable.bytes += line + (blankSeries ? "  " : " " + std::to_string(lesson.series)) + "\r\n";
            if (pick(3) == 0) timetable.bytes += "               (noot)\r\n";
            std::string summary = "WIS PEE B104 " + text;
            summary.erase(std::unique(summary.begin(), summary.end(),
                                      [](char a, char b) { return a == ' ' && b == ' '; }),
                          summary.end());
            if (lesson.series != 0) summary += " (reeks " + std::to_string(lesson.series) + ")";
            if (lesson.series == 0 && !blankSeries) summary += " 0";
            lesson.summary = summary;
            day.lessons.push_back(lesson);
        }
        timetable.bytes += "</pre>\r\n";
        timetable.days.push_back(day);
    }
    timetable.bytes += "<h3>Verklaring</h3><pre>\r\n</pre></body></html>\r\n";
    return timetable;
}

// Week 1 holds 1 January and weeks begin on Monday, counted here from the day of the year.
int WeekOf(sys_days day) {
    const year_month_day date(day);
    const sys_days newYear = date.year() / January / 1;
    const int newYearWeekday = static_cast<int>(weekday(newYear).iso_encoding()) - 1;
    return static_cast<int>((day - newYear).count() + newYearWeekday) / 7 + 1;
}

// Central European summer time from the last Sunday of March to the last Sunday of October.
bool IsSummerTime(sys_days day) {
    const year y = year_month_day(day).year();
    const sys_days begins = sys_days(y / March / Sunday[last]);
    const sys_days ends = sys_days(y / October / Sunday[last]);
    return day >= begins && day < ends;
}

std::string Expected(const ModelTimetable& timetable, sys_days from, sys_days to,
                     const std::vector<DateRange>& free, std::optional<int> series) {
    const int starts[] = {0,       8 * 60 + 25,  9 * 60 + 15,  10 * 60 + 20, 11 * 60 + 10,
                          13 * 60, 13 * 60 + 50, 14 * 60 + 50, 15 * 60 + 40};
    std::vector<std::string> lines;
    for (sys_days day = from; day <= to; day += days(1)) {
        const bool isFree = std::any_of(free.begin(), free.end(), [day](const DateRange& range) {
            return sys_days(range.first) <= day && day <= sys_days(range.last);
        });
        const unsigned weekday = std::chrono::weekday(day).iso_encoding() - 1;
        if (isFree || weekday > 4) continue;
        const int week = WeekOf(day);
        for (const ModelLesson& lesson : timetable.days[weekday].lessons) {
            if (lesson.hour == 0 || lesson.hour == 9 || week < lesson.from || week > lesson.to) continue;
            if (series && lesson.series != 0 && lesson.series != *series) continue;
            char text[64];
            const year_month_day date(day);
            std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d %s ", static_cast<int>(date.year()),
                          static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                          starts[lesson.hour] / 60, starts[lesson.hour] % 60,
                          IsSummerTime(day) ? "2:00:00" : "1:00:00");
            lines.push_back(text + lesson.summary);
        }
    }
    std::sort(lines.begin(), lines.end());
    std::string joined;
    for (const std::string& line : lines)
        joined += line + "\n";
    return joined;
}

// Over autumn's change of time, New Year (weeks 53 and 1) and spring's change, with free days
// and with and without a series filter.
TEST(CalendarModelTest, EachDateHoldsExactlyItsWeekPagesLessonsAtTheirLocalTimes) {
    const test_support::TempDir folder;
    const sys_days from = 2026y / October / 12;
    const sys_days to = 2027y / April / 9;
    const std::vector<DateRange> free = {{2026y / November / 2, 2026y / November / 6},
                                         {2027y / January / 1, 2027y / January / 1}};
    for (unsigned seed = 1; seed <= 4; ++seed) {
        const ModelTimetable timetable = RandomTimetable(seed);
        for (const std::optional<int> series : {std::optional<int>(), std::optional<int>(2)}) {
            CalendarRequest request;
            request.page.dataFile = folder.Write("rooster.htm", timetable.bytes).string();
            request.page.seriesFilter = series.has_value();
            request.page.chosenSeries = series.value_or(0);
            request.from = year_month_day(from);
            request.to = year_month_day(to);
            request.freeDays = free;
            std::string ics;
            ASSERT_EQ(BuildCalendar(request, ics).page.status, BuildStatus::Complete);
            const auto file = folder.Write("rooster.ics", ics);
            const std::optional<std::string> read =
                test_support::ReadCalendar(file, "2026-10-12", "2027-04-09");
            if (!read) GTEST_SKIP() << "python3-icalendar is missing";
            std::string expected = Expected(timetable, from, to, free, series);
            if (expected.empty()) expected = "\n";  // the reader's line for no occurrence
            EXPECT_EQ(*read, expected) << "seed " << seed << (series ? " series 2" : "");
        }
    }
}

}  // namespace
}  // namespace orbelquint
