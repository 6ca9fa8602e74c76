#include "core/timetable/week_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/timetable/page_template.h"
#include "core/timetable/report_texts.h"
#include "support/test_files.h"

namespace orbelquint {
namespace {

using test_support::ReadFile;
using test_support::TempDir;

// A lesson line in the data file's fixed columns: weeks in columns 13-14 and 16-17, the series
// in the last two characters.
std::string Lesson(int from, int to, const std::string& what = "WIS", const std::string& series = "  ") {
    char weeks[8];
    std::snprintf(weeks, sizeof weeks, "%2d-%2d", from, to);
    return "1  " + what + std::string(9 - what.size(), ' ') + weeks + " B104 " + series;
}

struct Day {
    std::string name;
    std::vector<std::string> lines;  // the first one stands on the day heading line
};

// A data file of stream 4A with the given days and a legend after them.
std::string Timetable(const std::vector<Day>& days) {
    std::string file = "<html><body>\r\n<h1> 4A </h1>\r\n<pre>\r\nuur vak\r\n</pre>\r\n";
    for (const Day& day : days) {
        file += "<h3>" + day.name + "</h3><pre>";
        for (const std::string& line : day.lines)
            file += line + "\r\n";
        file += "</pre>\r\n";
    }
    return file + "<h3>Verklaring</h3><pre>\r\nPEE = mevr. Peeters\r\n</pre>\r\n</body></html>\r\n";
}

class WeekPageTest : public ::testing::Test {
  protected:
    // Builds the page of `week` from `data`; the series filter is on when `series` is given.
    WeekPageResult Build(const std::string& data, int week, std::optional<double> series = {}) {
        WeekPageRequest request;
        request.dataFile = folder_.Write("rooster.htm", data).string();
        request.currentWeek = static_cast<std::int16_t>(week);
        request.seriesFilter = series.has_value();
        request.chosenSeries = series.value_or(0);
        request.templateFile = templateFile_;
        std::ostringstream out;
        WeekPageResult result = BuildWeekPage(request, out);
        page_ = out.str();
        return result;
    }

    // The rows of the page between the heading row and the closing rows.
    std::string Days() const {
        const std::size_t start = page_.find("<hr>\r\n") + 6;
        return page_.substr(start, page_.rfind("\r\n\r\nFOOT") + 2 - start);
    }

    TempDir folder_;
    std::filesystem::path templateFile_ = folder_.Write("def.dat", "HEAD\r\nFOOT\r\n");
    std::string page_;
};

TEST_F(WeekPageTest, WritesTheFramedPageOfTheWeek) {
    const std::string data = Timetable(
        {{"Maandag", {Lesson(10, 14, "WIS"), Lesson(13, 20, "NED")}}, {"Dinsdag ", {Lesson(1, 11, "FRA")}}});
    const WeekPageResult result = Build(data, 12);
    ASSERT_EQ(result.status, BuildStatus::Complete);
    EXPECT_EQ(page_,
              "<html><head><title>Orbelquint week 12</title>\r\n"
              "HEAD\r\n"
              "<h1>Orbelquint week 12</h1>\r\n"
              "<h2>4A</h2><hr>\r\n"
              "<h3>Maandag</h3><pre>\r\n" +
                  Lesson(10, 14, "WIS") +
                  "\r\n"
                  "</pre>\r\n"
                  "<h3>Dinsdag </h3><pre>\r\n"
                  "</pre>\r\n"
                  "\r\n"
                  "FOOT\r\n"
                  "</body></html>\r\n");
    EXPECT_EQ(result.report.heading, "4A");
    EXPECT_EQ(InfoText(result.report), "Dit gegevens bestand gaat van week 1 tot week 20");
    EXPECT_EQ(FirstChangeText(result.report), "De eerste verandering in dit orbelquint is voor week 13");
}

TEST_F(WeekPageTest, LinesLongerThanTheWriteBufferAreWrittenWhole) {
    const std::string longLesson = Lesson(3, 9, "WIS", std::string(40'000, 'x') + " 2");
    ASSERT_EQ(Build(Timetable({{"Maandag", {longLesson}}}), 5).status, BuildStatus::Complete);
    EXPECT_EQ(Days(), "<h3>Maandag</h3><pre>\r\n" + longLesson + "\r\n</pre>\r\n");
}

TEST_F(WeekPageTest, ShowsALessonFromItsFirstToItsLastWeek) {
    struct Case {
        int from, to, week;
        bool shown;
    };
    const Case cases[] = {{3, 5, 2, false}, {3, 5, 3, true},  {3, 5, 4, true},  {3, 5, 5, true},
                          {3, 5, 6, false}, {5, 3, 4, false}, {5, 3, 5, false}, {7, 7, 7, true}};
    for (const auto& [from, to, week, shown] : cases) {
        Build(Timetable({{"Maandag", {Lesson(from, to)}}}), week);
        EXPECT_EQ(Days().find("WIS") != std::string::npos, shown) << from << "-" << to << " in week " << week;
    }
}

TEST_F(WeekPageTest, FindsTheFirstLaterWeekInWhichTheTimetableChanges) {
    struct Case {
        std::vector<std::string> lessons;
        int week;
        int firstChange;
    };
    const Case cases[] = {
        {{Lesson(1, 10), Lesson(11, 20)}, 5, 11},
        {{Lesson(1, 99)}, 5, 100},
        {{Lesson(1, 10), Lesson(11, 20)}, 30, kNoChange},
        {{Lesson(8, 9), Lesson(1, 20)}, 5, 8},
        {{Lesson(1, 5)}, 5, 6},
    };
    for (const auto& [lessons, week, firstChange] : cases) {
        const WeekPageResult result = Build(Timetable({{"Maandag", lessons}}), week);
        EXPECT_EQ(result.report.firstChange, firstChange) << "week " << week;
    }
    EXPECT_EQ(FirstChangeText(Build(Timetable({{"Maandag", {Lesson(1, 10)}}}), 30).report), "");
}

TEST_F(WeekPageTest, ChangeWeeksAreWhereFilteredLessonsStartOrEndedTheWeekBefore) {
    struct Case {
        std::string lesson;
        std::vector<int> weeks;
    };
    const Case cases[] = {
        {Lesson(3, 9), {3, 10}},
        {Lesson(1, 52), {1, 53}},
        {Lesson(52, 53), {52}},
        {Lesson(53, 60), {53}},
        {Lesson(5, 3), {}},
        {Lesson(0, 5), {}},
        {Lesson(4, 4, "WIS", " 1"), {}},
        {Lesson(4, 4, "WIS", " 0"), {4, 5}},
        {"  " + Lesson(3, 9), {}},
    };
    for (const auto& [lesson, weeks] : cases) {
        // The week shown does not matter; the series filter does.
        const WeekPageResult result =
            Build(Timetable({{"Maandag", {Lesson(20, 20, "NED", " 2"), lesson}}}), 40, 2);
        std::vector<int> found;
        for (int week = 1; week <= kLastWeek; ++week) {
            if (result.report.changeWeeks.test(static_cast<std::size_t>(week)) && week != 20 && week != 21)
                found.push_back(week);
        }
        EXPECT_EQ(found, weeks) << lesson;
    }
    EXPECT_TRUE(Build("geen rooster", 40).report.changeWeeks.none());
}

TEST_F(WeekPageTest, SeriesFilterKeepsTheChosenSeriesAndLessonsForAll) {
    const std::vector<std::string> lessons = {Lesson(1, 9, "S2A", " 2"), Lesson(1, 9, "S2B", "02"),
                                              Lesson(1, 9, "S0", " 0"),  Lesson(1, 9, "ALL", "  "),
                                              Lesson(1, 9, "S3", " 3"),  Lesson(2, 30, "S12", "12")};
    const std::string data = Timetable({{"Maandag", lessons}});
    const WeekPageResult filtered = Build(data, 5, 2.0);
    const std::string shown = Days();
    for (const char* kept : {"S2A", "S2B", "S0", "ALL"})
        EXPECT_NE(shown.find(kept), std::string::npos) << kept;
    for (const char* hidden : {"S3", "S12"})
        EXPECT_EQ(shown.find(hidden), std::string::npos) << hidden;

    const WeekPageResult unfiltered = Build(data, 5);
    for (const char* kept : {"S2A", "S3", "S12"})
        EXPECT_NE(Days().find(kept), std::string::npos) << kept;
    EXPECT_EQ(filtered.report.minWeek, unfiltered.report.minWeek);
    EXPECT_EQ(filtered.report.maxWeek, unfiltered.report.maxWeek);
    EXPECT_EQ(filtered.report.firstChange, unfiltered.report.firstChange);
}

TEST_F(WeekPageTest, ContinuationLinesFollowTheirLessonAndCountForNoWeeks) {
    const std::vector<std::string> lessons = {
        Lesson(3, 9, "WIS"),       "     (labo B2)",    "  ",
        "     (om de twee weken)", Lesson(4, 9, "NED"), "     (leesdossier)",
        Lesson(1, 2, "OUD"),       "     (vervallen)"};
    const WeekPageResult result = Build(Timetable({{"Maandag", lessons}}), 5);
    EXPECT_EQ(Days(), "<h3>Maandag</h3><pre>\r\n" + Lesson(3, 9, "WIS") +
                          "\r\n     (labo B2)\r\n  \r\n     (om de twee weken)\r\n" + Lesson(4, 9, "NED") +
                          "\r\n     (leesdossier)\r\n</pre>\r\n");
    EXPECT_EQ(result.report.minWeek, 1);
    EXPECT_EQ(result.report.maxWeek, 9);
}

TEST_F(WeekPageTest, AContinuationLineThatClosesTheBlockIsWrittenWhole) {
    const std::string data = "<h1>4A</h1>\r\n<pre>\r\n<h3>Maandag</h3><pre>" + Lesson(1, 9) +
                             "\r\n   </pre><h3>Dinsdag</h3><pre>" + Lesson(1, 9, "NED") +
                             "\r\n</pre>\r\n<h3>verklaring</h3>\r\n";
    Build(data, 5);
    EXPECT_EQ(Days(), "<h3>Maandag</h3><pre>\r\n" + Lesson(1, 9) + "\r\n   </pre><h3>Dinsdag</h3><pre>" +
                          Lesson(1, 9, "NED") + "\r\n</pre>\r\n<h3>Dinsdag</h3><pre>\r\n" +
                          Lesson(1, 9, "NED") + "\r\n</pre>\r\n");
}

TEST_F(WeekPageTest, BlankLinesEndTheDayButATabIsALessonOfWeekZero) {
    // Three blanks make a continuation line that also ends the block.
    Build(Timetable({{"Maandag", {Lesson(1, 9), "   ", Lesson(1, 9, "NED")}}}), 5);
    EXPECT_EQ(Days(), "<h3>Maandag</h3><pre>\r\n" + Lesson(1, 9) + "\r\n   \r\n</pre>\r\n");

    Build(Timetable({{"Maandag", {Lesson(1, 9), "", Lesson(1, 9, "NED")}}}), 5);
    EXPECT_EQ(Days(), "<h3>Maandag</h3><pre>\r\n" + Lesson(1, 9) + "\r\n</pre>\r\n");

    const WeekPageResult result =
        Build(Timetable({{"Maandag", {Lesson(1, 9), "\t", Lesson(1, 9, "NED")}}}), 5);
    EXPECT_EQ(result.report.minWeek, 0);
    EXPECT_NE(Days().find("NED"), std::string::npos);
}

TEST_F(WeekPageTest, TheFirstLessonLineNeverClosesTheBlock) {
    const std::string data = "<h1>4A</h1>\r\n<pre>\r\n<h3>Maandag</h3><pre></pre>\r\n" + Lesson(1, 9) +
                             "\r\n</pre>\r\n<h3>Verklaring</h3>\r\n";
    const WeekPageResult result = Build(data, 5);
    EXPECT_EQ(Days(), "<h3>Maandag</h3><pre>\r\n" + Lesson(1, 9) + "\r\n</pre>\r\n");
    EXPECT_EQ(result.report.minWeek, 0);  // the empty first lesson line reads as weeks 0 to 0
}

TEST_F(WeekPageTest, ReadsHeadingsThatLackTheirClosingTag) {
    const std::string data = "<H1>  4A Latijn  \r\n<PRE>\r\n<H3>Maandag<PRE>" + Lesson(1, 9) +
                             "\r\n</PRE>\r\n<h3>VERKLARING</h3>\r\n";
    const WeekPageResult result = Build(data, 5);
    EXPECT_EQ(result.report.heading, "4A Latijn");
    EXPECT_EQ(Days(), "<h3>Maandag<PRE>" + Lesson(1, 9) + "</h3><pre>\r\n" + Lesson(1, 9) + "\r\n</pre>\r\n");
}

TEST_F(WeekPageTest, ADayHeadingWithoutPreStartsItsLessonAfterFourCharacters) {
    // Without its first four characters the heading line has weeks 5 to 6 in columns 13-17.
    const std::string data =
        "<h1>4A</h1>\r\n<pre>\r\n<h3>Ma</h3>xxxxx05-06 B104\r\n</pre>\r\n<h3>Verklaring\r\n";
    Build(data, 5);
    EXPECT_EQ(Days(), "<h3>Ma</h3><pre>\r\nMa</h3>xxxxx05-06 B104\r\n</pre>\r\n");
}

TEST_F(WeekPageTest, OnlyLaterDayHeadingsCanBeTheLegend) {
    const std::string data = Timetable({{"Verklaring vooraf", {Lesson(1, 9)}}, {"Maandag", {Lesson(1, 9)}}});
    Build(data, 5);
    EXPECT_NE(Days().find("<h3>Verklaring vooraf</h3>"), std::string::npos);
    EXPECT_NE(Days().find("<h3>Maandag</h3>"), std::string::npos);
    EXPECT_EQ(Days().find("Peeters"), std::string::npos);
}

TEST_F(WeekPageTest, DaysThatRunOutWithoutALegendStillFinishThePage) {
    const std::string data = "<h1>4A</h1>\r\n<pre>\r\n<h3>Maandag</h3><pre>" + Lesson(1, 9) + "\r\n" +
                             Lesson(3, 4, "NED");  // the file ends inside the day block
    const WeekPageResult result = Build(data, 5);
    ASSERT_EQ(result.status, BuildStatus::Complete);
    EXPECT_EQ(Days(), "<h3>Maandag</h3><pre>\r\n" + Lesson(1, 9) + "\r\n</pre>\r\n");
    EXPECT_TRUE(page_.ends_with("\r\n\r\nFOOT\r\n</body></html>\r\n"));
    EXPECT_EQ(result.report.maxWeek, 9);
}

TEST_F(WeekPageTest, AFileWithoutDaysGivesACompletePageWithoutDays) {
    for (const char* data : {"<h1>4A</h1>\r\n<h3>Maandag</h3>\r\n", "<h1>4A</h1><pre>\r\n<pre>\r\ntekst\r\n",
                             "<h1>4A</h1>\r\n<h3>Maandag</h3><pre>" /* consumed as the opening block */}) {
        const WeekPageResult result = Build(data, 5);
        ASSERT_EQ(result.status, BuildStatus::Complete) << data;
        EXPECT_EQ(Days(), "") << data;
        EXPECT_EQ(InfoText(result.report), "Dit gegevens bestand gaat van week 60 tot week 0");
        EXPECT_EQ(FirstChangeText(result.report), "");
    }
}

TEST_F(WeekPageTest, AFileThatIsNoTimetableFailsWithoutWritingAnything) {
    const std::string missing = (folder_.Path() / "weg.htm").string();
    struct Case {
        std::string dataFile;
        BuildStatus status;
    };
    const Case cases[] = {
        {folder_.Write("leeg.htm", "<html><h2>geen kop</h2></html>").string(), BuildStatus::Failed},
        {missing, BuildStatus::Failed},
        {folder_.Path().string(), BuildStatus::Failed},
        {"   ", BuildStatus::NoDataFile}};
    for (const auto& [dataFile, status] : cases) {
        WeekPageRequest request;
        request.dataFile = dataFile;
        std::ostringstream out;
        const WeekPageResult result = BuildWeekPage(request, out);
        EXPECT_EQ(result.status, status) << dataFile;
        EXPECT_EQ(out.str(), "") << dataFile;
        if (status == BuildStatus::Failed) {
            EXPECT_NE(result.message.find(dataFile), std::string::npos);
        }
    }
}

TEST_F(WeekPageTest, AMissingTemplateIsReplacedByTheBuiltInOne) {
    templateFile_ = folder_.Path() / "geen.dat";
    Build(Timetable({}), 5);
    const PageTemplate builtIn = BuiltInPageTemplate();
    EXPECT_NE(page_.find("</title>\r\n" + builtIn.head + "\r\n<h1>"), std::string::npos);
    EXPECT_TRUE(page_.ends_with("\r\n\r\n" + builtIn.foot + "\r\n</body></html>\r\n"));

    templateFile_ = folder_.Write("kort.dat", "HEAD");
    Build("<h1>4A</h1>\r\n", 5);
    EXPECT_TRUE(page_.ends_with("<hr>\r\n\r\n\r\n</body></html>\r\n"));
}

// A page held in memory may be 64 MiB to the byte, and a page a byte larger is refused saying so.
TEST_F(WeekPageTest, APageInMemoryMayBeExactlyTheLimit) {
    const std::string head = "<h1>4A</h1>\r\n<pre>\r\n<h3>Ma</h3><pre>";
    const auto row = [](std::size_t length) {  // a lesson row of `length` bytes, its line end included
        return "1  WIS  PEE 01-52 B104  " + std::string(length - 26, 'x') + "\r\n";
    };
    WeekPageRequest request;
    request.currentWeek = 5;
    request.templateFile = templateFile_;
    std::string page;
    request.dataFile = folder_.Write("klein.htm", head + row(40) + "</pre>\r\n").string();
    ASSERT_EQ(BuildWeekPageInMemory(request, page).status, BuildStatus::Complete);
    const std::size_t frame = page.size() - 40;
    for (const std::size_t extra : {std::size_t{0}, std::size_t{1}}) {
        std::string data = head;
        std::size_t rest = kMaxPageInMemory + extra - frame;
        for (constexpr std::size_t kRow = 1 << 20; rest > kRow + 64; rest -= kRow)
            data += row(kRow);
        request.dataFile = folder_.Write("groot.htm", data + row(rest) + "</pre>\r\n").string();
        const WeekPageResult result = BuildWeekPageInMemory(request, page);
        EXPECT_EQ(result.status, extra == 0 ? BuildStatus::Complete : BuildStatus::Failed) << extra;
        if (extra == 0) {
            EXPECT_EQ(page.size(), kMaxPageInMemory);
        } else {
            EXPECT_EQ(result.message, "De weekpagina is groter dan 64 MB.");
        }
    }
}

TEST_F(WeekPageTest, TheSampleTimetableCoversTheFirstTerm) {
    WeekPageRequest request;
    request.dataFile = test_support::SampleDataFile().string();
    request.currentWeek = 50;
    request.templateFile = test_support::ShippedTemplateFile();
    std::ostringstream out;
    const WeekPageResult result = BuildWeekPage(request, out);
    ASSERT_EQ(result.status, BuildStatus::Complete);
    EXPECT_EQ(result.report.heading, "5 Wetenschappen-Wiskunde");
    EXPECT_EQ(InfoText(result.report), "Dit gegevens bestand gaat van week 36 tot week 52");
    EXPECT_EQ(result.report.firstChange, 52);
    EXPECT_NE(out.str().find("Herhaling wiskunde"), std::string::npos);
    EXPECT_EQ(out.str().find("Practicum fysica"), std::string::npos);
}

}  // namespace
}  // namespace orbelquint
