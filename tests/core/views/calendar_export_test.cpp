#include "core/views/calendar_export.h"

#include <gtest/gtest.h>

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
