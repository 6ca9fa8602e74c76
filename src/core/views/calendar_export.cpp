#include "core/views/calendar_export.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "core/reading/text_encoding.h"
#include "core/text/float_text.h"
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

// Monday 0 to Sunday 6 of a day block's heading: its day's Dutch name as a reader sees it
// (references decoded, tags left out, blanks and no-break spaces around it, any case); nullopt for
// any other heading.
std::optional<unsigned> WeekdayOfHeading(std::string_view heading) {
    const std::string text = ReadableText(DataTextToUtf8(heading));
    std::string_view name = text;
    constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
    for (bool trimmed = true; trimmed;) {
        const std::size_t before = name.size();
        name = Trim(name);
        while (name.starts_with(kNoBreakSpace) || name.starts_with('\t'))
            name.remove_prefix(name[0] == '\t' ? 1 : 2);
        while (name.ends_with(kNoBreakSpace) || name.ends_with('\t'))
            name.remove_suffix(name.back() == '\t' ? 1 : 2);
        trimmed = name.size() != before;
    }
    for (unsigned day = 0; day < kWeekdays.size(); ++day) {
        if (name.size() == kWeekdays[day].size() && FindNoCase(name, kWeekdays[day]) == 0) return day;
    }
    return std::nullopt;
}

unsigned WeekdayOf(Days day) {
    return std::chrono::weekday(day).iso_encoding() - 1;
}

// Data text as a calendar shows it: UTF-8, references decoded and tags left out.
std::string PlainText(std::string_view dataText) {
    return ReadableText(DataTextToUtf8(dataText));
}

// A lesson of one day of the week, however many weeks show it.
struct Lesson {
    const std::string* key = nullptr;  // what tells it apart, whatever the range
    unsigned weekday = 0;
    int hour = kNoHour;
    double series = 0;
    std::string text;  // what the grid shows of it
    std::string continuations;
    // Bit i: given on the i-th date of its weekday in the range, (date - from) / 7 = i.
    std::uint64_t given = 0;
    // Bit w: the week page of week w, before the range in its school year, shows it.
    std::uint64_t shownBefore = 0;
};

// A lesson as the calendar names it: what the grid shows of it, and its series as the grid shows it.
std::string Summary(const Lesson& lesson) {
    std::string summary = lesson.text;
    if (lesson.series != 0) summary += " (reeks " + NumberText(lesson.series) + ")";
    return PlainText(summary);
}

std::string Description(const Lesson& lesson) {
    std::string description;
    std::string_view rows = lesson.continuations;
    while (const std::optional<std::string> line = NextContinuationLine(rows))
        description += *line + "\n";
    description += "lesuur " + std::to_string(lesson.hour);
    return PlainText(description);
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

std::uint64_t Bit(std::int64_t index) {
    return std::uint64_t{1} << index;
}

// The days of the range one week page serves: from `first` to `last`, of week `week`.
struct WeekDays {
    std::int16_t week;
    Days first;
    Days last;
};

// The weeks of the dates from `first` to `last`, in order; a week number may come back a year on.
std::vector<WeekDays> WeeksOf(Days first, Days last) {
    std::vector<WeekDays> weeks;
    for (Days day = first; day <= last; day += std::chrono::days(1)) {
        const std::int16_t week = WeekOfDate(std::chrono::year_month_day(day));
        if (weeks.empty() || weeks.back().week != week || weeks.back().last + std::chrono::days(1) != day)
            weeks.push_back({week, day, day});
        else
            weeks.back().last = day;
    }
    return weeks;
}

// 1 July of the school year of `day`: runs of a lesson end there, so that a lesson keeps its UIDs
// whichever side of it the range begins.
Days SchoolYearStart(Days day) {
    const std::chrono::year year = SchoolYearOf(std::chrono::year_month_day(day)).first.year();
    return year / std::chrono::July / 1;
}

// The Sundays on which the clock changes in the calendar's zone: the last of March and of October.
bool IsClockChangeDay(Days day) {
    const std::chrono::year_month_day date(day);
    if (date.month() != std::chrono::March && date.month() != std::chrono::October) return false;
    return WeekdayOf(day) == 6 &&
           std::chrono::year_month_day(day + std::chrono::days(7)).month() != date.month();
}

// True when a lesson begins or ends in the hour (02:00 to 03:00) that the clock skips or repeats.
bool TouchesClockChange(const LessonTimes& times) {
    const auto inHour = [](int minutes) { return minutes >= 2 * 60 && minutes < 3 * 60; };
    return inHour(times.start) || inHour(times.end);
}

// The lessons the range's week pages show, each held once for all weeks with the dates it is given
// on, so that memory grows with the distinct lessons and not with the weeks; each week page is
// built from the data file's bytes, read once.
class LessonTable {
  public:
    LessonTable(const CalendarRequest& request, std::string_view data)
        : request_(request.page), from_(Days(request.from)) {
        request_.dataBytes = data;
    }

    // Notes the lessons of the week page of `days` on its dates; false when the page cannot be
    // built or the lessons grow past what a calendar holds, which Failure() then says.
    bool Read(const WeekDays& days) {
        return EachLesson(
            days.week, true, [&](unsigned weekday, const GridLesson& lesson, int hour, std::string&& key) {
                auto [found, added] = lessons_.try_emplace(std::move(key));
                Lesson& held = found->second;
                if (added) {
                    held = {&found->first,
                            weekday,
                            hour,
                            lesson.series,
                            LessonText(lesson),
                            std::string(lesson.continuations),
                            0,
                            0};
                    bytes_ +=
                        found->first.size() + held.text.size() + held.continuations.size() + kLessonOverhead;
                    if (bytes_ > kMaxPageInMemory) {
                        failure_.status = BuildStatus::Failed;
                        failure_.message = "De agenda heeft meer lessen dan er in 64 MB passen.";
                        return false;
                    }
                }
                for (Days day = days.first; day <= days.last; day += std::chrono::days(1)) {
                    if (WeekdayOf(day) != weekday) continue;
                    if (held.given == 0) order_.push_back(&held);
                    held.given |= Bit((day - from_).count() / 7);
                }
                return true;
            });
    }

    // Notes which of the lessons already held the week page of `week`, before the range, shows.
    bool ReadBefore(std::int16_t week) {
        return EachLesson(week, false, [&](unsigned, const GridLesson&, int, std::string&& key) {
            if (const auto found = lessons_.find(key); found != lessons_.end())
                found->second.shownBefore |= Bit(week);
            return true;
        });
    }

    // The lessons in the order they first fall in the range.
    const std::vector<Lesson*>& InOrder() const { return order_; }
    const WeekPageResult& Failure() const { return failure_; }
    const WeekPageResult& LastPage() const { return page_; }
    std::size_t DaysWithoutWeekday() const { return daysWithoutWeekday_; }

  private:
    // Roughly what a lesson costs beyond its texts: the lesson, its map node and its place in order.
    static constexpr std::size_t kLessonOverhead = sizeof(Lesson) + 96;

    // Calls `each(weekday, lesson, hour, key)` for the lessons of the week page of `week`, until it
    // answers false; `inRange` when the week's days without a weekday are to be counted.
    template <typename Each>
    bool EachLesson(std::int16_t week, bool inRange, Each each) {
        request_.currentWeek = week;
        std::string page;
        page_ = BuildWeekPageInMemory(request_, page);
        if (page_.status != BuildStatus::Complete) {
            failure_ = page_;
            return false;
        }
        const WeekGrid grid = GridOfWeekPage(page, week);
        if (grid.lessonsLeftOut > 0) {
            failure_.status = BuildStatus::Failed;
            failure_.message = TooManyLessons("die agenda");
            return false;
        }
        // Identical lessons of a day, numbered: each by its line and continuation rows, which follow
        // each other in the page.
        std::array<std::unordered_map<std::string_view, int>, 7> seen;
        std::size_t withoutWeekday = 0;
        for (std::size_t column = 0; column < grid.days.size(); ++column) {
            const std::optional<unsigned> weekday = WeekdayOfHeading(grid.days[column]);
            if (!weekday) {
                ++withoutWeekday;
                continue;
            }
            for (std::size_t row = 0; row < grid.hours.size(); ++row) {
                for (const GridLesson& lesson : grid.cells[row][column]) {
                    const char* end =
                        (lesson.continuations.empty() ? lesson.line : lesson.continuations).end();
                    const std::string_view whole(lesson.line.data(),
                                                 static_cast<std::size_t>(end - lesson.line.data()));
                    std::string key = std::to_string(*weekday) + '\n' + std::string(lesson.line) + '\n' +
                                      std::string(lesson.continuations);
                    key += '\n' + std::to_string(seen[*weekday][whole]++);
                    if (!each(*weekday, lesson, grid.hours[row], std::move(key))) return false;
                }
            }
        }
        if (inRange) daysWithoutWeekday_ = std::max(daysWithoutWeekday_, withoutWeekday);
        return true;
    }

    WeekPageRequest request_;
    Days from_;
    std::unordered_map<std::string, Lesson> lessons_;
    std::vector<Lesson*> order_;
    std::size_t bytes_ = 0;
    std::size_t daysWithoutWeekday_ = 0;
    WeekPageResult page_;
    WeekPageResult failure_;
};

// New Year's Day within the school year that begins on `yearStart`.
Days NewYearAfter(Days yearStart) {
    return (std::chrono::year_month_day(yearStart).year() + std::chrono::years(1)) / std::chrono::January / 1;
}

// What tells the runs of weekly dates of a lesson apart whatever the range: the school year of the
// run, and whether it began before or after New Year within it. A run ends at 1 July and the weeks
// of a line follow each other within a year, so a lesson has at most one run that begins on either
// side. A run the range cuts into after New Year may have begun before it; the week pages before
// the range, back to the week before New Year, tell.
std::string RunName(const Lesson& lesson, Days first, Days from) {
    const Days yearStart = SchoolYearStart(first);
    const Days newYear = NewYearAfter(yearStart);
    Days start = first;
    for (Days before = first - std::chrono::days(7); start >= newYear && before >= yearStart;
         before -= std::chrono::days(7)) {
        const bool given =
            before >= from ? (lesson.given & Bit((before - from).count() / 7)) != 0
                           : (lesson.shownBefore & Bit(WeekOfDate(std::chrono::year_month_day(before)))) != 0;
        if (!given) break;
        start = before;
    }
    const int schoolYear = static_cast<int>(std::chrono::year_month_day(yearStart).year());
    return std::to_string(schoolYear) + (start < newYear ? "" : " na nieuwjaar");
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
    if (static_cast<int>(range.first.year()) < kFirstCalendarYear ||
        static_cast<int>(range.last.year()) > kLastCalendarYear)
        return "Een agenda gaat over dagen van " + std::to_string(kFirstCalendarYear) + " tot en met " +
               std::to_string(kLastCalendarYear) + ".";
    return {};
}

std::string ClockChangeWarning(std::size_t lessons) {
    return "Let op: " + std::to_string(lessons) +
           (lessons == 1 ? " les begint of eindigt" : " lessen beginnen of eindigen") +
           " tussen 02:00 en 03:00 op een zondag waarop de klok verzet wordt; agenda's kunnen die een uur "
           "verschoven tonen.";
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

std::string CalendarReportText(const CalendarReport& report) {
    std::string text = std::to_string(report.events) + " afspraken";
    if (const std::size_t leftOut = report.withoutHour + report.withoutBellTime; leftOut > 0)
        text += ", " + std::to_string(leftOut) + " lessen zonder uur of beltijd weggelaten";
    text += ".";
    if (report.atClockChange > 0) text += " " + ClockChangeWarning(report.atClockChange);
    return text;
}

CalendarResult BuildCalendar(const CalendarRequest& request, std::string& ics) {
    CalendarResult result;
    // The data file is read once here, unless the caller holds its bytes already.
    std::string fileBytes;
    if (!request.page.dataBytes) {
        result.page = ReadDataFile(request.page, fileBytes);
        if (result.page.status != BuildStatus::Complete) return result;
    }
    LessonTable lessons(request, request.page.dataBytes.value_or(fileBytes));
    const Days from = Days(request.from);
    const Days to = Days(request.to);
    const std::vector<WeekDays> weeks = WeeksOf(from, to);
    // The weeks before a range that begins after New Year, back to the week before it, tell
    // whether a run the range cuts into began before New Year.
    const Days beforeFrom =
        std::max(SchoolYearStart(from), NewYearAfter(SchoolYearStart(from)) - std::chrono::days(7));
    const std::vector<WeekDays> before =
        beforeFrom < from ? WeeksOf(beforeFrom, from - std::chrono::days(1)) : std::vector<WeekDays>{};
    const std::size_t needed = weeks.size() + before.size();
    const auto goOn = [&request, &result, needed](std::size_t read) {
        result.stopped = request.goOn && !request.goOn(read, needed);
        return !result.stopped;
    };
    for (std::size_t read = 0; read < needed; ++read) {
        const bool built = read < weeks.size() ? lessons.Read(weeks[read])
                                               : lessons.ReadBefore(before[read - weeks.size()].week);
        if (!built) {
            result.page = lessons.Failure();
            return result;
        }
        if (!goOn(read + 1)) return result;
    }
    result.page = lessons.LastPage();
    result.report.daysWithoutWeekday = lessons.DaysWithoutWeekday();

    // Bit i of weekday w: the i-th date of that weekday in the range is free.
    std::array<std::uint64_t, 7> free{};
    for (Days day = from; day <= to; day += std::chrono::days(1)) {
        const bool isFree = std::any_of(
            request.freeDays.begin(), request.freeDays.end(),
            [day](const auto& range) { return Days(range.first) <= day && day <= Days(range.last); });
        if (isFree) free[WeekdayOf(day)] |= Bit((day - from).count() / 7);
    }

    const std::string zone = request.timeZone;
    AppendContentLine(ics, "BEGIN:VCALENDAR");
    AppendContentLine(ics, "VERSION:2.0");
    AppendContentLine(ics, "PRODID:-//OrbelQuint//OrbelQuint " ORBELQUINT_VERSION "//NL");
    AppendContentLine(ics, "CALSCALE:GREGORIAN");
    std::string name = PlainText(result.page.report.heading);
    if (request.page.seriesFilter) name += " \u2013 reeks " + NumberText(request.page.chosenSeries);
    AppendContentLine(ics, "NAME:" + IcsText(name));
    AppendContentLine(ics, "X-WR-CALNAME:" + IcsText(name));
    AppendContentLine(ics, "REFRESH-INTERVAL;VALUE=DURATION:PT12H");
    AppendContentLine(ics, "X-PUBLISHED-TTL:PT12H");
    AppendLines(ics, kCentralEuropeanTime, zone);
    const std::string stamp = UtcTime(request.stamp);
    const std::string heading = DataTextToUtf8(result.page.report.heading);

    constexpr std::size_t kLessonsBetweenAsks = 4096;
    std::unordered_set<std::string> uids;
    std::size_t written = 0;
    for (const Lesson* lesson : lessons.InOrder()) {
        if (++written % kLessonsBetweenAsks == 0 && !goOn(needed)) {
            ics.clear();
            return result;
        }
        if (lesson->hour == kNoHour) {
            ++result.report.withoutHour;
            continue;
        }
        const auto times = request.bellTimes.find(lesson->hour);
        if (times == request.bellTimes.end()) {
            ++result.report.withoutBellTime;
            continue;
        }
        const std::uint64_t freeDates = free[lesson->weekday];
        const Days firstDate = from + std::chrono::days((lesson->weekday + 7 - WeekdayOf(from)) % 7);
        const auto date = [firstDate](int index) { return firstDate + std::chrono::days(7 * index); };
        const bool touchesClockChange = lesson->weekday == 6 && TouchesClockChange(times->second);
        // Runs of consecutive weeks within one school year, from a date it is given to the last one
        // before a gap; the free dates within a run are left out of it.
        for (int first = 0; first < 64;) {
            const std::uint64_t toGive = lesson->given & ~freeDates;
            if ((toGive & Bit(first)) == 0) {
                ++first;
                continue;
            }
            const Days yearStart = SchoolYearStart(date(first));
            int last = first;
            for (int next = first + 1;
                 next < 64 && (lesson->given & Bit(next)) != 0 && SchoolYearStart(date(next)) == yearStart;
                 ++next) {
                if ((toGive & Bit(next)) != 0) last = next;
            }
            const Days start = date(first);
            std::string uid = heading + '\n' + *lesson->key + '\n' + RunName(*lesson, start, from);
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
            for (int index = first; index <= last; ++index) {
                if ((toGive & Bit(index)) == 0) {
                    AppendContentLine(
                        ics, "EXDATE;TZID=" + zone + ":" + DateTime(date(index), times->second.start));
                } else if (touchesClockChange && IsClockChangeDay(date(index))) {
                    ++result.report.atClockChange;
                }
            }
            AppendContentLine(ics, "SUMMARY:" + IcsText(Summary(*lesson)));
            AppendContentLine(ics, "DESCRIPTION:" + IcsText(Description(*lesson)));
            AppendContentLine(ics, "END:VEVENT");
            ++result.report.events;
            first = last + 1;
        }
    }
    AppendContentLine(ics, "END:VCALENDAR");
    return result;
}

}  // namespace orbelquint
