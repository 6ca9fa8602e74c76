#include "core/views/calendar_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

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
    request.page.dataFile =
        folder
            .Write("rooster.htm",
                   "<h1>4A</h1>\r\n<pre>\r\n</pre>\r\n<h3>Maandag</h3><pre>"
                   "1  WIS  PEE 01-52 B104  Analyse                         \r\n"
                   "2  NED  VDB 01-53 A012  Nederlands                     2\r\n</pre>\r\n")
            .string();
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
