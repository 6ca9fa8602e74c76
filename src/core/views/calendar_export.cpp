#include "core/views/calendar_export.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <set>

#include "core/reading/text_encoding.h"
#include "core/text/number_text.h"
#include "core/text/text.h"
#include "core/timetable/lesson_line.h"
#include "core/views/ics_text.h"
#include "core/views/week_grid.h"
#include "core/weeks/week_number.h"
#include "version.h"

namespace orbelquint {
namespace {

using Days = std::chrono::sys_days;

constexpr std::array<std::string_view, 7> kWeekdays = {"maandag", "dinsdag",  "woensdag", "donderdag",
                                                       "vrijdag", "zaterdag", "zondag"};

// Monday 0 to Sunday 6 of a day block's heading: its day's Dutch name, any case, blanks around;
// nullopt for any other heading.
std::optional<unsigned> WeekdayOfHeading(std::string_view heading) {
    std::string name(Trim(heading));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    const auto found = std::find(kWeekdays.begin(), kWeekdays.end(), name);
    if (found == kWeekdays.end()) return std::nullopt;
    return static_cast<unsigned>(found - kWeekdays.begin());
}

unsigned WeekdayOf(Days day) {
    return std::chrono::weekday(day).iso_encoding() - 1;
}

// A lesson of one day of the week as a week page shows it.
struct DayLesson {
    unsigned weekday = 0;
    int hour = kNoHour;
    std::string line;  // the whole lesson line
    std::string text;  // what the grid shows of it
    std::string continuations;
    double series = 0;
};

// The lessons of each week number the range needs, read once per week number.
struct WeekLessons {
    std::vector<DayLesson> lessons;
    std::size_t daysWithoutWeekday = 0;
};

// A lesson as the calendar names it: what the grid shows of it, and its series as the grid shows it.
std::string Summary(const DayLesson& lesson) {
    std::string summary = lesson.text;
    if (lesson.series != 0) summary += " (reeks " + NumberText(lesson.series) + ")";
    return DataTextToUtf8(summary);
}

std::string Description(const DayLesson& lesson) {
    std::string description;
    std::string_view rows = lesson.continuations;
    while (const std::optional<std::string> line = NextContinuationLine(rows))
        description += *line + "\n";
    description += "lesuur " + std::to_string(lesson.hour);
    return DataTextToUtf8(description);
}

// A local date and time as iCalendar writes it: 20261208T082500.
std::string DateTime(Days day, int minutes, int seconds = 0) {
    const std::chrono::year_month_day date(day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), minutes / 60,
                  minutes % 60, seconds);
    return text;
}

std::string UtcTime(std::int64_t seconds) {
    const std::int64_t days = seconds / 86400;
    const auto rest = static_cast<int>(seconds - days * 86400);
    return DateTime(Days{std::chrono::days(days)}, rest / 60, rest % 60) + "Z";
}

// 64 bits of FNV-1a over `text`, from `seed`.
std::uint64_t Hash(std::string_view text, std::uint64_t seed) {
    std::uint64_t hash = seed;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// The school year a date belongs to, named by the year in which it begins in September.
int SchoolYear(Days day) {
    const std::chrono::year_month_day date(day);
    return static_cast<int>(date.year()) - (static_cast<unsigned>(date.month()) < 8 ? 1 : 0);
}

bool IsFree(Days day, const CalendarRequest& request) {
    return std::any_of(request.freeDays.begin(), request.freeDays.end(), [day](const auto& range) {
        return Days(range.first) <= day && day <= Days(range.last);
    });
}

// The lessons of each day block of the week page of `week`.
std::optional<WeekLessons> LessonsOfWeek(const CalendarRequest& request, std::int16_t week,
                                         WeekPageResult& result) {
    WeekPageRequest pageRequest = request.page;
    pageRequest.currentWeek = week;
    std::string page;
    result = BuildWeekPageInMemory(pageRequest, page);
    if (result.status != BuildStatus::Complete) return std::nullopt;
    const WeekGrid grid = GridOfWeekPage(page, week);
    WeekLessons lessons;
    for (std::size_t column = 0; column < grid.days.size(); ++column) {
        const std::optional<unsigned> weekday = WeekdayOfHeading(grid.days[column]);
        if (!weekday) {
            ++lessons.daysWithoutWeekday;
            continue;
        }
        for (std::size_t row = 0; row < grid.hours.size(); ++row) {
            for (const GridLesson& lesson : grid.cells[row][column]) {
                lessons.lessons.push_back({*weekday, grid.hours[row], std::string(lesson.line),
                                           LessonText(lesson), std::string(lesson.continuations),
                                           lesson.series});
            }
        }
    }
    return lessons;
}

// Where one lesson falls: the dates it is given, and the free dates it would have been given.
struct Occurrences {
    DayLesson lesson;
    std::string key;             // what tells it apart, whatever the range
    std::map<Days, bool> dates;  // a date and whether it is free
};

constexpr char kCentralEuropeanTime[] =
    "BEGIN:VTIMEZONE\nTZID:%ZONE%\nBEGIN:DAYLIGHT\nTZOFFSETFROM:+0100\nTZOFFSETTO:+0200\nTZNAME:CEST\n"
    "DTSTART:19700329T020000\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\nEND:DAYLIGHT\nBEGIN:STANDARD\n"
    "TZOFFSETFROM:+0200\nTZOFFSETTO:+0100\nTZNAME:CET\nDTSTART:19701025T030000\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\nEND:STANDARD\nEND:VTIMEZONE\n";

void AppendLines(std::string& ics, std::string_view lines, std::string_view zone) {
    for (std::size_t at = 0; at < lines.size();) {
        const std::size_t end = lines.find('\n', at);
        std::string line(lines.substr(at, end - at));
        if (const std::size_t placeholder = line.find("%ZONE%"); placeholder != std::string::npos)
            line.replace(placeholder, 6, zone);
        AppendContentLine(ics, line);
        at = end + 1;
    }
}

}  // namespace

std::string CalendarRangeProblem(const DateRange& range) {
    const auto days = (Days(range.last) - Days(range.first)).count() + 1;
    if (days < 1) return "De laatste dag ligt voor de eerste.";
    if (days > kLongestCalendarRange) return "Een agenda gaat over hoogstens 366 dagen.";
    return {};
}

bool IsCentralEuropeanZone(std::string_view zone) {
    static constexpr std::string_view kZones[] = {
        "Europe/Amsterdam", "Europe/Andorra",  "Europe/Belgrade",   "Europe/Berlin",    "Europe/Bratislava",
        "Europe/Brussels",  "Europe/Budapest", "Europe/Copenhagen", "Europe/Ljubljana", "Europe/Luxembourg",
        "Europe/Madrid",    "Europe/Malta",    "Europe/Monaco",     "Europe/Oslo",      "Europe/Paris",
        "Europe/Prague",    "Europe/Rome",     "Europe/San_Marino", "Europe/Sarajevo",  "Europe/Skopje",
        "Europe/Stockholm", "Europe/Tirane",   "Europe/Vaduz",      "Europe/Vatican",   "Europe/Vienna",
        "Europe/Warsaw",    "Europe/Zagreb",   "Europe/Zurich"};
    return std::find(std::begin(kZones), std::end(kZones), zone) != std::end(kZones);
}

CalendarResult BuildCalendar(const CalendarRequest& request, std::string& ics) {
    CalendarResult result;
    std::map<std::int16_t, WeekLessons> weeks;
    std::map<std::string, Occurrences> lessons;
    std::vector<std::string> order;  // the keys in the order the lessons first fall
    std::set<std::int16_t> needed;
    for (Days day = Days(request.from); day <= Days(request.to); day += std::chrono::days(1))
        needed.insert(WeekOfDate(std::chrono::year_month_day(day)));
    for (Days day = Days(request.from); day <= Days(request.to); day += std::chrono::days(1)) {
        const std::int16_t week = WeekOfDate(std::chrono::year_month_day(day));
        auto found = weeks.find(week);
        if (found == weeks.end()) {
            std::optional<WeekLessons> read = LessonsOfWeek(request, week, result.page);
            if (!read) return result;
            result.report.daysWithoutWeekday =
                std::max(result.report.daysWithoutWeekday, read->daysWithoutWeekday);
            found = weeks.emplace(week, std::move(*read)).first;
            if (request.goOn && !request.goOn(weeks.size(), needed.size())) {
                result.stopped = true;
                return result;
            }
        }
        std::map<std::string, int> seen;  // identical lessons of the day, told apart by their number
        for (const DayLesson& lesson : found->second.lessons) {
            if (lesson.weekday != WeekdayOf(day)) continue;
            std::string key =
                std::to_string(lesson.weekday) + '\n' + lesson.line + '\n' + lesson.continuations;
            key += '\n' + std::to_string(seen[key]++);
            auto [occurrences, added] = lessons.try_emplace(key, Occurrences{lesson, key, {}});
            if (added) order.push_back(key);
            occurrences->second.dates[day] = IsFree(day, request);
        }
    }

    const std::string zone = request.timeZone;
    AppendContentLine(ics, "BEGIN:VCALENDAR");
    AppendContentLine(ics, "VERSION:2.0");
    AppendContentLine(ics, "PRODID:-//OrbelQuint//OrbelQuint " ORBELQUINT_VERSION "//NL");
    AppendContentLine(ics, "CALSCALE:GREGORIAN");
    std::string name = DataTextToUtf8(result.page.report.heading);
    if (request.page.seriesFilter) name += " \u2013 reeks " + NumberText(request.page.chosenSeries);
    AppendContentLine(ics, "NAME:" + IcsText(name));
    AppendContentLine(ics, "X-WR-CALNAME:" + IcsText(name));
    AppendContentLine(ics, "REFRESH-INTERVAL;VALUE=DURATION:PT12H");
    AppendContentLine(ics, "X-PUBLISHED-TTL:PT12H");
    AppendLines(ics, kCentralEuropeanTime, zone);
    const std::string stamp = UtcTime(request.stamp);

    for (const std::string& key : order) {
        const Occurrences& lesson = lessons.at(key);
        if (lesson.lesson.hour == kNoHour) {
            ++result.report.withoutHour;
            continue;
        }
        const auto times = request.bellTimes.find(lesson.lesson.hour);
        if (times == request.bellTimes.end()) {
            ++result.report.withoutBellTime;
            continue;
        }
        // Runs of consecutive weeks, from a date it is given to the last one before a gap; the
        // free dates within a run are left out of it.
        std::vector<std::pair<Days, bool>> dates(lesson.dates.begin(), lesson.dates.end());
        int run = 0;
        for (std::size_t first = 0; first < dates.size();) {
            if (dates[first].second) {
                ++first;
                continue;
            }
            std::size_t last = first;
            for (std::size_t next = first + 1;
                 next < dates.size() && dates[next].first == dates[next - 1].first + std::chrono::days(7);
                 ++next) {
                if (!dates[next].second) last = next;
            }
            const Days start = dates[first].first;
            std::string uid = DataTextToUtf8(result.page.report.heading) + '\n' + key + '\n' +
                              std::to_string(SchoolYear(start));
            if (run++ > 0) uid += '\n' + std::to_string(WeekOfDate(std::chrono::year_month_day(start)));
            AppendContentLine(ics, "BEGIN:VEVENT");
            AppendContentLine(ics, "UID:" + Hex(Hash(uid, 0xcbf29ce484222325ULL)) +
                                       Hex(Hash(uid, 0x84222325cbf29ce4ULL)) + "@orbelquint");
            AppendContentLine(ics, "DTSTAMP:" + stamp);
            AppendContentLine(ics, "DTSTART;TZID=" + zone + ":" + DateTime(start, times->second.start));
            AppendContentLine(ics, "DTEND;TZID=" + zone + ":" + DateTime(start, times->second.end));
            AppendContentLine(ics, "RRULE:FREQ=WEEKLY;COUNT=" + std::to_string(last - first + 1));
            for (std::size_t free = first; free < last; ++free) {
                if (dates[free].second)
                    AppendContentLine(
                        ics, "EXDATE;TZID=" + zone + ":" + DateTime(dates[free].first, times->second.start));
            }
            AppendContentLine(ics, "SUMMARY:" + IcsText(Summary(lesson.lesson)));
            AppendContentLine(ics, "DESCRIPTION:" + IcsText(Description(lesson.lesson)));
            AppendContentLine(ics, "END:VEVENT");
            ++result.report.events;
            first = last + 1;
        }
    }
    AppendContentLine(ics, "END:VCALENDAR");
    return result;
}

}  // namespace orbelquint
