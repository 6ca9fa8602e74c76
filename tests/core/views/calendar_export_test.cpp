#include "core/views/calendar_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "core/views/week_grid.h"
#include "support/test_files.h"

namespace orbelquint {
namespace {

using std::chrono::December;
using namespace std::chrono_literals;

CalendarRequest SampleRequest() {
    CalendarRequest request;
    request.page.dataFile = test_support::SampleDataFile().string();
    request.from = 2026y / December / 7;
    request.to = 2026y / December / 20;
    request.stamp = 1'765'000'000;
    return request;
}

TEST(CalendarExportTest, TheSampleWeeksBecomeWeeklyEventsAtTheirBellTimes) {
    std::string ics;
    const CalendarResult result = BuildCalendar(SampleRequest(), ics);
    ASSERT_EQ(result.page.status, BuildStatus::Complete) << result.page.message;
    EXPECT_TRUE(ics.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n")) << ics.substr(0, 100);
    EXPECT_TRUE(ics.ends_with("END:VCALENDAR\r\n"));
    // Herhaling wiskunde, hour 3 on Mondays of weeks 50 and 51.
    EXPECT_NE(
        ics.find(
            "DTSTART;TZID=Europe/Brussels:20261207T102000\r\nDTEND;TZID=Europe/Brussels:20261207T111000\r\n"
            "RRULE:FREQ=WEEKLY;COUNT=2\r\nSUMMARY:HER PEE B104 Herhaling wiskunde\r\n"),
        std::string::npos)
        << ics;
    EXPECT_GT(result.report.events, 20U);
    // Lines of at most 75 octets, each ended by CR LF, and no byte-order mark.
    for (std::size_t at = 0; at < ics.size();) {
        const std::size_t end = ics.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        EXPECT_LE(end - at, 75U) << ics.substr(at, end - at);
        EXPECT_EQ(ics.substr(at, end - at).find_first_of("\r\n"), std::string::npos);
        at = end + 2;
    }
    // The same from the bytes of the file held by the caller, with no file to open.
    CalendarRequest fromBytes = SampleRequest();
    const std::string data = test_support::ReadFile(fromBytes.page.dataFile);
    fromBytes.page.dataBytes = data;
    fromBytes.page.dataFile = "niet op schijf.htm";
    std::string same;
    ASSERT_EQ(BuildCalendar(fromBytes, same).page.status, BuildStatus::Complete);
    EXPECT_EQ(same, ics);
}

// The data file of class 4A whose only day is Monday, with `lessons`, in `folder`.
std::string MondayTimetable(const test_support::TempDir& folder, const std::string& lessons) {
    return folder
        .Write("rooster.htm",
               "<h1>4A</h1>\r\n<pre>\r\n</pre>\r\n<h3>Maandag</h3><pre>" + lessons + "</pre>\r\n")
        .string();
}

std::set<std::string> Uids(const std::string& ics) {
    std::set<std::string> uids;
    for (std::size_t at = 0; (at = ics.find("\r\nUID:", at)) != std::string::npos; ++at)
        uids.insert(ics.substr(at + 6, ics.find("\r\n", at + 2) - at - 6));
    return uids;
}

// A lesson keeps its UIDs whatever the range, the free days, the filter and the bell times: one
// of weeks 1-52 is given in two runs (week 53 of 2026 leaves a Monday out), one of weeks 1-53 in
// one run across New Year, also when the range begins after it.
TEST(CalendarExportTest, ALessonKeepsItsUidsWhateverIsChosen) {
    const test_support::TempDir folder;
    CalendarRequest request;
    request.page.dataFile = MondayTimetable(folder,
                                            "1  WIS  PEE 01-52 B104  Analyse                         \r\n"
                                            "2  NED  VDB 01-53 A012  Nederlands                     2\r\n");
    request.from = 2026y / std::chrono::September / 1;
    request.to = 2027y / std::chrono::June / 30;
    std::string whole;
    BuildCalendar(request, whole);
    const std::set<std::string> all = Uids(whole);
    EXPECT_EQ(all.size(), 3U) << whole;
    const std::pair<std::chrono::year_month_day, std::chrono::year_month_day> ranges[] = {
        {2027y / std::chrono::January / 4, 2027y / std::chrono::June / 30},
        {2026y / std::chrono::October / 5, 2027y / std::chrono::March / 1},
        {2026y / std::chrono::December / 28, 2027y / std::chrono::January / 11}};
    for (const auto& [from, to] : ranges) {
        CalendarRequest other = request;
        other.from = from;
        other.to = to;
        other.freeDays = {{2027y / std::chrono::January / 4, 2027y / std::chrono::January / 4}};
        other.page.seriesFilter = true;
        other.page.chosenSeries = 2;
        other.bellTimes[1] = {7 * 60, 8 * 60};
        std::string part;
        BuildCalendar(other, part);
        const std::set<std::string> some = Uids(part);
        EXPECT_FALSE(some.empty());
        EXPECT_TRUE(std::includes(all.begin(), all.end(), some.begin(), some.end())) << part;
    }
}

// The dates of each event: DTSTART and the weeks after it that COUNT gives, but its EXDATEs.
std::map<std::string, std::set<std::string>> UidsByDate(const std::string& ics) {
    std::map<std::string, std::set<std::string>> dates;
    for (std::size_t at = 0; (at = ics.find("BEGIN:VEVENT", at)) != std::string::npos; ++at) {
        const std::string event = ics.substr(at, ics.find("END:VEVENT", at) - at);
        const auto field = [&event](const std::string& name) {
            const std::size_t from = event.find("\r\n" + name) + 2 + name.size();
            return event.substr(from, event.find("\r\n", from) - from);
        };
        const std::string start = field("DTSTART;TZID=Europe/Brussels:");
        const int count = std::stoi(field("RRULE:FREQ=WEEKLY;COUNT="));
        const std::chrono::sys_days first = std::chrono::year(std::stoi(start.substr(0, 4))) /
                                            std::stoi(start.substr(4, 2)) / std::stoi(start.substr(6, 2));
        for (int week = 0; week < count; ++week) {
            const std::chrono::year_month_day day(first + std::chrono::days(7 * week));
            char date[16];
            std::snprintf(date, sizeof date, "%04d%02u%02u", static_cast<int>(day.year()),
                          static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
            if (event.find(std::string(date) + "T" + start.substr(9)) == std::string::npos || week == 0)
                dates[std::string(date) + " " + field("SUMMARY:")].insert(field("UID:"));
        }
    }
    return dates;
}

// Ranges on both sides of 1 July, overlapping, never give one lesson on one date under two UIDs,
// so that importing both doubles nothing.
TEST(CalendarExportTest, NoDateIsUnderTwoUidsWhicheverSideOf1JulyTheRangeBegins) {
    const test_support::TempDir folder;
    CalendarRequest request;
    request.page.dataFile = MondayTimetable(folder,
                                            "1  WIS  PEE 01-53 B104  Analyse                         \r\n"
                                            "2  NED  VDB 40-10 A012  Nederlands                      \r\n"
                                            "3  FRA  DUP 20-30 A108  Frans                           \r\n");
    std::map<std::string, std::set<std::string>> all;
    const std::pair<std::chrono::year_month_day, std::chrono::year_month_day> ranges[] = {
        {2027y / std::chrono::January / 1, 2027y / December / 31},
        {2027y / std::chrono::September / 1, 2028y / std::chrono::June / 30},
        {2027y / std::chrono::March / 1, 2028y / std::chrono::February / 28},
        {2026y / std::chrono::July / 1, 2027y / std::chrono::June / 30},
        {2027y / std::chrono::June / 1, 2027y / std::chrono::August / 31}};
    for (const auto& [from, to] : ranges) {
        request.from = from;
        request.to = to;
        std::string ics;
        ASSERT_EQ(BuildCalendar(request, ics).page.status, BuildStatus::Complete);
        for (const auto& [date, uids] : UidsByDate(ics))
            all[date].insert(uids.begin(), uids.end());
    }
    ASSERT_GT(all.size(), 100U);
    for (const auto& [date, uids] : all)
        EXPECT_EQ(uids.size(), 1U) << date;
}

// What a reader of the calendar sees of the data: text, not markup; day headings as a reader reads
// them; a week too large refused; lessons at the clock's change told.
TEST(CalendarExportTest, ShowsTheDataAsAReaderSeesItAndSaysWhatItCannotHold) {
    const test_support::TempDir folder;
    CalendarRequest request;
    request.page.dataFile =
        folder
            .Write("rooster.htm",
                   "<h1>Klas <b>&amp;</b> 4</h1>\r\n<pre>\r\n</pre>\r\n"
                   "<h3>Woensdag&nbsp;</h3><pre>1  WIS  PEE 01-53 B104  Caf&eacute; <b>vet</b> &lt;\r\n"
                   "</pre>\r\n"
                   "<h3><b>DONDERDAG</b></h3><pre>1  NED  VDB 01-53 A012  Nederlands\r\n</pre>\r\n"
                   "<h3>Maandagavond</h3><pre>1  FRA  DUP 01-53 A108  Frans\r\n</pre>\r\n"
                   "<h3>Zondag</h3><pre>1  GOD  CLA 01-53 A015  Godsdienst\r\n"
                   "2  LO   HEN 01-53 SPH   Sport\r\n</pre>\r\n")
            .string();
    request.from = 2027y / std::chrono::March / 22;  // summer time begins on Sunday 28 March
    request.to = 2027y / std::chrono::April / 4;
    request.bellTimes = {{1, {2 * 60 + 15, 3 * 60 + 5}}, {2, {3 * 60, 3 * 60 + 50}}};
    std::string ics;
    const CalendarResult result = BuildCalendar(request, ics);
    ASSERT_EQ(result.page.status, BuildStatus::Complete) << result.page.message;
    EXPECT_NE(ics.find("\r\nNAME:Klas & 4\r\n"), std::string::npos) << ics;
    EXPECT_NE(ics.find("\r\nSUMMARY:WIS PEE B104 Caf\xC3\xA9 vet <\r\n"), std::string::npos) << ics;
    EXPECT_NE(ics.find("\r\nSUMMARY:NED VDB A012 Nederlands\r\n"), std::string::npos);
    EXPECT_EQ(ics.find("Frans"), std::string::npos);
    EXPECT_EQ(result.report.daysWithoutWeekday, 1U);
    EXPECT_EQ(result.report.atClockChange, 1U);  // hour 1 on 28 March; hour 2 begins at 03:00

    // A week of one lesson more than a grid holds gives no calendar; one of exactly so many does.
    for (const std::size_t lessons : {kMaxGridLessons, kMaxGridLessons + 1}) {
        std::string data = "<h1>X</h1>\r\n<pre>\r\n</pre>\r\n<h3>Maandag</h3><pre>\r\n";
        for (std::size_t i = 0; i < lessons; ++i)
            data += "1  WIS  PEE 01-53 B104  Les " + std::to_string(i) + "\r\n";
        request.page.dataFile = folder.Write("groot.htm", data + "</pre>\r\n").string();
        request.from = request.to = 2026y / December / 7;
        std::string large;
        const CalendarResult many = BuildCalendar(request, large);
        EXPECT_EQ(many.page.status == BuildStatus::Complete, lessons == kMaxGridLessons) << lessons;
        if (lessons == kMaxGridLessons)
            EXPECT_EQ(many.report.events, lessons);
        else
            EXPECT_EQ(many.page.message, TooManyLessons("die agenda"));
    }
}

TEST(CalendarExportTest, TheReportSaysWhatWasLeftOutAndWarnsOfTheClocksChange) {
    EXPECT_EQ(CalendarReportText({3, 0, 0, 2, 0}), "3 afspraken.");
    EXPECT_EQ(CalendarReportText({42, 1, 0, 0, 0}),
              "42 afspraken, 1 lessen zonder uur of beltijd weggelaten.");
    EXPECT_EQ(CalendarReportText({42, 2, 3, 0, 1}),
              "42 afspraken, 5 lessen zonder uur of beltijd weggelaten. " + ClockChangeWarning(1));
}

TEST(CalendarExportTest, ARangeIsAtMostAYearWithinTheCalendarsYears) {
    const std::pair<DateRange, bool> ranges[] = {
        {{2027y / std::chrono::September / 1, 2028y / std::chrono::August / 31}, true},  // 366 days, leap
        {{2027y / std::chrono::September / 1, 2028y / std::chrono::September / 1}, false},
        {{2027y / std::chrono::September / 2, 2027y / std::chrono::September / 1}, false},
        {{1970y / std::chrono::January / 1, 1970y / std::chrono::January / 1}, true},
        {{1969y / December / 31, 1970y / std::chrono::January / 1}, false},
        {{9999y / December / 31, 9999y / December / 31}, true},
        {{1y / std::chrono::January / 1, 1y / std::chrono::January / 2}, false}};
    for (const auto& [range, good] : ranges)
        EXPECT_EQ(CalendarRangeProblem(range).empty(), good) << DateRangeText(range);
}

// The export tells its progress a week page at a time and stops, writing nothing, when told to.
TEST(CalendarExportTest, TellsItsProgressByWeekAndStopsWhenTold) {
    CalendarRequest request = SampleRequest();
    request.to = 2027y / std::chrono::January / 10;  // weeks 50 to 53, 1 and 2
    std::vector<std::size_t> told;
    request.goOn = [&told](std::size_t read, std::size_t needed) {
        EXPECT_EQ(needed, 6U);
        told.push_back(read);
        return read < 4;
    };
    std::string ics;
    const CalendarResult result = BuildCalendar(request, ics);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(ics, "");
    EXPECT_EQ(told, (std::vector<std::size_t>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace orbelquint
