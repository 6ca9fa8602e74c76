#include "core/weeks/bell_times.h"

#include <gtest/gtest.h>

namespace orbelquint {
namespace {

using namespace std::chrono;

TEST(BellTimesTest, TheTableAndItsFreeDaysAreWrittenAndReadBackAlike) {
    const SchoolTimes standard = {DefaultBellTimes(),
                                  {{2026y / 12 / 21, 2027y / 1 / 1}, {2027y / 5 / 6, 2027y / 5 / 6}}};
    const std::string text = BellTimesText(standard);
    EXPECT_TRUE(text.find("\n1 08:25-09:15\n2 09:15-10:05\n3 10:20-11:10\n") != std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("8 15:40-16:30\nvrij 21-12-2026..01-01-2027\nvrij 06-05-2027\n")) << text;
    EXPECT_EQ(std::get<SchoolTimes>(ReadBellTimes(text)), standard);
}

// The default hours follow each other without overlapping, as the manual lists them.
TEST(BellTimesTest, TheDefaultHoursAreFiftyMinutesApartWithTheirBreaks) {
    const BellTimes expected = {{1, {505, 555}}, {2, {555, 605}}, {3, {620, 670}}, {4, {670, 720}},
                                {5, {780, 830}}, {6, {830, 880}}, {7, {890, 940}}, {8, {940, 990}}};
    EXPECT_EQ(DefaultBellTimes(), expected);
}

TEST(BellTimesTest, ReadsCommentsBlankLinesTabsAByteOrderMarkAndEitherLineEnd) {
    const auto read = ReadBellTimes(
        "\xEF\xBB\xBF# de bel\r\n\r\n  1\t8:25-9:15  \r\n0 07:30-08:20\nvrij\t 1-11-2026 \r\n99 23:00-23:59");
    const BellTimes expected = {{0, {450, 500}}, {1, {505, 555}}, {99, {1380, 1439}}};
    EXPECT_EQ(std::get<SchoolTimes>(read).bellTimes, expected);
    const std::vector<DateRange> free = {{2026y / 11 / 1, 2026y / 11 / 1}};
    EXPECT_EQ(std::get<SchoolTimes>(read).freeDays, free);
}

// A byte-order mark counts only at the start of the file.
constexpr const char* kMarkedLine =
    "\xEF\xBB\xBF"
    "1 08:25-09:15";

// Each bad line is refused with its number, whatever stands before it.
TEST(BellTimesTest, RefusesEveryLineOfAnotherFormWithItsNumber) {
    const char* bad[] = {"1 08:25",           "1 08:25-",
                         "x 08:25-09:15",     "100 08:25-09:15",
                         "1 24:00-24:50",     "1 08:60-09:15",
                         "1 8:5-9:15",        "1 09:15-08:25",
                         "1 09:15-09:15",     "1 08:25-09:15 x",
                         "1-08:25-09:15",     "108:25-09:15",
                         "1 08:25 09:15",     "vrij",
                         "vrij 31-02-2027",   "vrij 02-01-2027..01-01-2027",
                         "vrije 01-01-2027",  "vrij 01-01-2027..",
                         "vrij 01-01-2027 x", kMarkedLine};
    for (const char* line : bad) {
        // Hour 9 before it, so that each bad line is refused for what it is, not as a repeated hour.
        const auto read = ReadBellTimes(std::string("# kop\n9 08:25-09:15\n") + "\n" + line + "\n");
        ASSERT_TRUE(std::holds_alternative<BellTimesProblem>(read)) << line;
        EXPECT_EQ(std::get<BellTimesProblem>(read).line, 4U) << line;
    }
    const auto twice = ReadBellTimes("2 09:15-10:05\n2 10:20-11:10\n");
    EXPECT_EQ(std::get<BellTimesProblem>(twice).line, 2U);
    EXPECT_EQ(std::get<BellTimesProblem>(twice).why, "lesuur 2 staat er al");
}

}  // namespace
}  // namespace orbelquint
