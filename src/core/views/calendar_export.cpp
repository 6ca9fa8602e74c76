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
    const std::string_view name = Trim(heading);
    for (unsigned day = 0; day < kWeekdays.size(); ++day) {
        if (name.size() == kWeekdays[day].size() && FindNoCase(name, kWeekdays[day]) == 0) return day;
    }
    return std::nullopt;
}

unsigned WeekdayOf(Days day) {
    return std::chrono::weekday(day).iso_encoding() - 1;
}

// A lesson of one day of the week as a week page shows it.
struct DayLesson {
    unsigned weekday = 0;
    int hour = kNoHour;
    std::string text;  // what the grid shows of it
    std::string continuations;
    double series = 0;
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

bool IsFree(Days day, const CalendarRequest& request) {
    return std::any_of(request.freeDays.begin(), request.freeDays.end(), [day](const auto& range) {
        return Days(range.first) <= day && day <= Days(range.last);
    });
}

// One lesson of a day of the week, however many weeks show it: the dates of the range it is given
// on, and whether each is free.
struct Occurrences {
    DayLesson lesson;
    std::string key;  // what tells it apart, whatever the range: day, line, continuations, number
    std::map<Days, bool> dates;
};

// The lessons of one week page by day of the week, Monday first.
struct WeekLessons {
    std::array<std::vector<Occurrences*>, 7> days;
    std::size_t daysWithoutWeekday = 0;
};

// Builds each week page once and keeps of it only which lessons it shows on which day, each lesson
// held once for all weeks, so that memory grows with the distinct lessons and not with the weeks.
class WeekReader {
  public:
    explicit WeekReader(const CalendarRequest& request) : request_(request) {}

    // The lessons of the week page of `week`; null when it cannot be built, which Page() then says.
    const WeekLessons* Of(std::int16_t week) {
        if (const auto found = weeks_.find(week); found != weeks_.end()) return &found->second;
        WeekPageRequest pageRequest = request_.page;
        pageRequest.currentWeek = week;
        std::string page;
        page_ = BuildWeekPageInMemory(pageRequest, page);
        if (page_.status != BuildStatus::Complete) return nullptr;
        const WeekGrid grid = GridOfWeekPage(page, week);
        WeekLessons& lessons = weeks_[week];
        std::array<std::map<std::string, int>, 7> seen;  // identical lessons of a day, told apart by number
        for (std::size_t column = 0; column < grid.days.size(); ++column) {
            const std::optional<unsigned> weekday = WeekdayOfHeading(grid.days[column]);
            if (!weekday) {
                ++lessons.daysWithoutWeekday;
                continue;
            }
            for (std::size_t row = 0; row < grid.hours.size(); ++row) {
                for (const GridLesson& lesson : grid.cells[row][column]) {
                    std::string key = std::to_string(*weekday) + '\n' + std::string(lesson.line) + '\n' +
                                      std::string(lesson.continuations);
                    key += '\n' + std::to_string(seen[*weekday][key]++);
                    auto [interned, added] = lessons_.try_emplace(key);
                    if (added) {
                        interned->second = {{*weekday, grid.hours[row], LessonText(lesson),
                                             std::string(lesson.continuations), lesson.series},
                                            key,
                                            {}};
                    }
                    lessons.days[*weekday].push_back(&interned->second);
                }
            }
        }
        return &lessons;
    }

    const WeekPageResult& Page() const { return page_; }

  private:
    const CalendarRequest& request_;
    WeekPageResult page_;
    std::map<std::int16_t, WeekLessons> weeks_;
    std::map<std::string, Occurrences> lessons_;
};

// What tells the runs of weekly dates of a lesson apart whatever the range: the school year of
// the run that the range finds from `first` on, and whether it began before or after New Year
// within that school year. The weeks of a line follow each other within a year, so a lesson has
// at most one run that begins on either side. A run the range cuts into may have begun before
// the range; the week pages before it, back to the school year's start, tell.
std::optional<std::string> RunName(const Occurrences& lesson, Days first, Days from, WeekReader& weeks) {
    // The school year as the default range has it, from July on.
    const std::chrono::year schoolYear = SchoolYearOf(std::chrono::year_month_day(first)).first.year();
    const Days yearStart = schoolYear / std::chrono::July / 1;
    const Days newYear = (schoolYear + std::chrono::years(1)) / std::chrono::January / 1;
    Days start = first;
    for (Days before = first - std::chrono::days(7); before >= yearStart; before -= std::chrono::days(7)) {
        bool given = lesson.dates.contains(before);
        if (before < from) {
            const WeekLessons* week = weeks.Of(WeekOfDate(std::chrono::year_month_day(before)));
            if (week == nullptr) return std::nullopt;
            const auto& day = week->days[lesson.lesson.weekday];
            given = std::find(day.begin(), day.end(), &lesson) != day.end();
        }
        if (!given) break;
        start = before;
    }
    return std::to_string(static_cast<int>(schoolYear)) + (start < newYear ? "" : " na nieuwjaar");
}

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
    WeekReader weeks(request);
    std::vector<Occurrences*> order;  // the lessons in the order they first fall
    std::set<std::int16_t> needed;
    for (Days day = Days(request.from); day <= Days(request.to); day += std::chrono::days(1))
        needed.insert(WeekOfDate(std::chrono::year_month_day(day)));
    std::set<std::int16_t> read;
    for (Days day = Days(request.from); day <= Days(request.to); day += std::chrono::days(1)) {
        const std::int16_t week = WeekOfDate(std::chrono::year_month_day(day));
        const WeekLessons* lessons = weeks.Of(week);
        if (lessons == nullptr) {
            result.page = weeks.Page();
            return result;
        }
        if (read.insert(week).second) {
            result.report.daysWithoutWeekday =
                std::max(result.report.daysWithoutWeekday, lessons->daysWithoutWeekday);
            if (request.goOn && !request.goOn(read.size(), needed.size())) {
                result.stopped = true;
                return result;
            }
        }
        for (Occurrences* lesson : lessons->days[WeekdayOf(day)]) {
            if (lesson->dates.empty()) order.push_back(lesson);
            lesson->dates[day] = IsFree(day, request);
        }
    }
    result.page = weeks.Page();

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

    std::set<std::string> uids;
    for (const Occurrences* occurrences : order) {
        const Occurrences& lesson = *occurrences;
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
            const std::optional<std::string> run = RunName(lesson, start, Days(request.from), weeks);
            if (!run) {
                result.page = weeks.Page();
                ics.clear();
                return result;
            }
            std::string uid = DataTextToUtf8(result.page.report.heading) + '\n' + lesson.key + '\n' + *run;
            // Never two alike, should a line's weeks not follow each other.
            if (!uids.insert(uid).second) uid += '\n' + DateTime(start, 0);
            uids.insert(uid);
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
