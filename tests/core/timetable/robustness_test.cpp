// Broken data files and settings files: each has its expected outcome, and none may crash, hang
// or leave anything in the folder but the page it was asked for.
#include <gtest/gtest.h>

#include <sstream>

#include "core/files/settings_file.h"
#include "core/files/week_page_file.h"
#include "core/timetable/report_texts.h"
#include "core/timetable/week_page.h"
#include "support/test_files.h"

namespace orbelquint {
namespace {

using test_support::TempDir;

std::string TenMegabytes(char c) {
    return test_support::Filler(10'000'000, c);
}

// Bytes without a '<', so that they never form a marker.
std::string NoiseWithoutTags(std::size_t size) {
    std::string noise(size, '\0');
    unsigned state = 12345;
    for (char& c : noise) {
        state = state * 1103515245 + 12345;
        c = static_cast<char>((state >> 16) & 0xFF);
        if (c == '<') c = '>';
    }
    return noise;
}

constexpr char kDay[] = "<h1>4A</h1>\r\n<pre>\r\n<h3>Maandag</h3><pre>1  WIS      03-09 B104  2\r\n";

TEST(RobustnessTest, BrokenDataFilesGiveTheirOutcomeAndNothingElse) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string data;
        BuildStatus status;
        const char* info;  // for complete pages
    };
    const Case cases[] = {
        {"empty file", "", BuildStatus::Failed, ""},
        {"binary with NUL bytes", "\0\x01\xFF<h1>\0kop\0</h1>\0\r\n<pre>\0\r\n<h3>\0</h3><pre>\0\0\0\r\n\0"s,
         BuildStatus::Complete, "Dit gegevens bestand gaat van week 0 tot week 0"},
        {"binary without a heading", NoiseWithoutTags(100'000), BuildStatus::Failed, ""},
        {"10 MB on one line", "<h1>4A</h1>" + TenMegabytes('x'), BuildStatus::Complete,
         "Dit gegevens bestand gaat van week 60 tot week 0"},
        {"10 MB lesson line", kDay + "2  NED      04-08 "s + TenMegabytes('x') + "\r\n</pre>",
         BuildStatus::Complete, "Dit gegevens bestand gaat van week 3 tot week 9"},
        {"no heading", "<h2>4A</h2>\r\n<pre>\r\n<h3>Maandag</h3><pre>x\r\n</pre>\r\n", BuildStatus::Failed,
         ""},
        {"no days", "<h1>4A</h1>\r\n<pre>\r\n</pre>\r\n", BuildStatus::Complete,
         "Dit gegevens bestand gaat van week 60 tot week 0"},
        {"no legend", kDay + "</pre>\r\n"s, BuildStatus::Complete,
         "Dit gegevens bestand gaat van week 3 tot week 9"},
        {"a day that never closes", kDay, BuildStatus::Complete,
         "Dit gegevens bestand gaat van week 3 tot week 9"},
        {"only CR line ends", "<h1>4A</h1>\r<pre>\r<h3>Maandag</h3><pre>1  WIS      03-09 B104  2\r</pre>\r",
         BuildStatus::Complete, "Dit gegevens bestand gaat van week 3 tot week 9"},
    };
    for (const auto& [name, data, status, info] : cases) {
        const TempDir folder;
        WeekPageRequest request;
        request.dataFile = folder.Write("rooster.htm", data).string();
        request.currentWeek = 5;
        request.seriesFilter = true;
        request.chosenSeries = 2;
        const WeekPageResult result = WriteWeekPageFile(request, folder.Path() / "temp.htm");
        EXPECT_EQ(result.status, status) << name;
        const bool complete = result.status == BuildStatus::Complete;
        if (complete) {
            EXPECT_EQ(InfoText(result.report), info) << name;
            EXPECT_TRUE(test_support::ReadFile(folder.Path() / "temp.htm").ends_with("</body></html>\r\n"))
                << name;
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), complete ? 2 : 1)
            << name;
    }
}

TEST(RobustnessTest, HeadingsThatNameAnotherFolderGiveNoPlainSaveName) {
    const std::pair<const char*, bool> cases[] = {{"<h1>../4A</h1>", false},
                                                  {"<h1>4A/4B</h1>", false},
                                                  {"<h1>..\\4A</h1>", false},
                                                  {"<h1>..</h1>", true}};
    for (const auto& [data, plain] : cases) {
        std::ostringstream page;
        const TempDir folder;
        WeekPageRequest request;
        request.dataFile = folder.Write("rooster.htm", data).string();
        const WeekPageResult result = BuildWeekPage(request, page);
        ASSERT_EQ(result.status, BuildStatus::Complete) << data;
        EXPECT_EQ(IsPlainFileName(SaveName(result.report.heading, 5)), plain) << data;
    }
}

TEST(RobustnessTest, BrokenSettingsFilesRestoreWhatTheyCan) {
    using namespace std::string_literals;
    const std::string longName(100'000, 'a');
    struct Case {
        std::string bytes;
        std::string dataFile;
        std::optional<double> series;
    };
    const Case cases[] = {
        {"rooster.htm", "rooster.htm", std::nullopt},
        {"rooster.htm\r\n\0\xFF\x01\r\n"s, "rooster.htm", std::nullopt},
        {"rooster.htm\r\n\x01"
         "7\r\n"s,
         "rooster.htm", std::nullopt},
        {longName + "\r\n3\r\n", longName, 3},
    };
    for (const auto& [bytes, dataFile, series] : cases) {
        const TempDir folder;
        const SettingsLoad load = LoadSettings(folder.Write("prev.ini", bytes));
        EXPECT_EQ(load.kind, SettingsLoad::Kind::Restored);
        EXPECT_EQ(load.settings.dataFile, dataFile);
        EXPECT_EQ(load.settings.series, series);
    }
}

}  // namespace
}  // namespace orbelquint
