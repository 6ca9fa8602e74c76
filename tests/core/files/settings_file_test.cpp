#include "core/files/settings_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/files/atomic_file.h"
#include "support/test_files.h"

namespace orbelquint {
namespace {

using Kind = SettingsLoad::Kind;

TEST(SettingsFileTest, AMissingFileIsCreatedEmptyForAFirstStart) {
    const test_support::TempDir folder;
    const SettingsLoad load = LoadSettings(folder.Path() / "prev.ini");
    EXPECT_EQ(load.kind, Kind::FirstStart);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "prev.ini"));
    EXPECT_EQ(LoadSettings(folder.Path() / "prev.ini").kind, Kind::FirstStart);
}

TEST(SettingsFileTest, ReadsTheDataFileAndTheSeries) {
    const test_support::TempDir folder;
    struct Case {
        std::string bytes;
        std::string dataFile;
        std::optional<double> series;
    };
    const Case cases[] = {
        {"C:\\rooster.htm\r\n07\r\n", "C:\\rooster.htm", 7},
        {"a.htm\r\n 3\r\n", "a.htm", 3},
        {"a.htm\r\n12abc\r\n", "a.htm", 12},
        {"a.htm\r\n-2\r\n", "a.htm", -2},
        {"a.htm\r\nabc\r\n", "a.htm", std::nullopt},
        {"a.htm\r\n\r\n", "a.htm", std::nullopt},
        {"a.htm\r\n0\r\n", "a.htm", std::nullopt},
        {"a.htm", "a.htm", std::nullopt},
        {"\r\n0\r\n", "", std::nullopt},
        {"a.htm\n2\nrest\n", "a.htm", 2},
    };
    for (const auto& [bytes, dataFile, series] : cases) {
        const SettingsLoad load = LoadSettings(folder.Write("prev.ini", bytes));
        EXPECT_EQ(load.kind, Kind::Restored) << bytes;
        EXPECT_EQ(load.settings.dataFile, dataFile) << bytes;
        EXPECT_EQ(load.settings.series, series) << bytes;
    }
}

TEST(SettingsFileTest, WritesTwoLinesOrLeavesTheOldFile) {
    const test_support::TempDir folder;
    const std::filesystem::path file = folder.Path() / "prev.ini";
    ASSERT_TRUE(SaveSettingsFile(file, "", "0"));
    EXPECT_EQ(test_support::ReadFile(file), "\r\n0\r\n");
    ASSERT_TRUE(SaveSettingsFile(file, "rooster.htm", "3"));
    EXPECT_EQ(test_support::ReadFile(file), "rooster.htm\r\n3\r\n");
    EXPECT_FALSE(SaveSettingsFile(folder.Path() / "geen-map" / "prev.ini", "x", "0"));
}

TEST(SettingsFileTest, AThirdLineTurnsTheMarksOffAndIsWrittenOnlyThen) {
    const test_support::TempDir folder;
    const std::filesystem::path file = folder.Path() / "prev.ini";
    ASSERT_TRUE(SaveSettingsFile(file, "a.htm", "2", true));
    EXPECT_EQ(test_support::ReadFile(file), "a.htm\r\n2\r\n");
    EXPECT_TRUE(LoadSettings(file).settings.lessonMarks);
    ASSERT_TRUE(SaveSettingsFile(file, "a.htm", "2", false));
    EXPECT_EQ(test_support::ReadFile(file), "a.htm\r\n2\r\nmarkeringen uit\r\n");
    EXPECT_FALSE(LoadSettings(file).settings.lessonMarks);
    // Only "markeringen uit" turns them off: a third line of another version or of nobody keeps them.
    for (const char* third : {"markeringen aan", "", "MARKERINGEN UIT", "markeringen uit ", "iets anders"}) {
        const std::filesystem::path other =
            folder.Write("prev.ini", std::string("a.htm\r\n2\r\n") + third + "\r\n");
        EXPECT_TRUE(LoadSettings(other).settings.lessonMarks) << third;
    }
}

TEST(SettingsFileTest, AFourthLineKeepsTheGridAndEarlierVersionsStillReadTheMarks) {
    const test_support::TempDir folder;
    const std::filesystem::path file = folder.Path() / "prev.ini";
    for (const bool marks : {true, false}) {
        ASSERT_TRUE(SaveSettingsFile(file, "a.htm", "2", marks, WeekView::Grid));
        const std::string bytes = test_support::ReadFile(file);
        EXPECT_EQ(bytes, std::string("a.htm\r\n2\r\n") + (marks ? "markeringen aan" : "markeringen uit") +
                             "\r\nweergave raster\r\n");
        const RememberedSettings read = LoadSettings(file).settings;
        EXPECT_EQ(read.view, WeekView::Grid);
        EXPECT_EQ(read.lessonMarks, marks);
        // An earlier version takes the marks from the third line alone.
        EXPECT_EQ(bytes.find("markeringen uit") == std::string::npos, marks);
    }
    ASSERT_TRUE(SaveSettingsFile(file, "a.htm", "2", false, WeekView::List));
    EXPECT_EQ(LoadSettings(file).settings.view, WeekView::List);
}

TEST(SettingsFileTest, AFolderInPlaceOfTheFileIsUnusable) {
    const test_support::TempDir folder;
    std::filesystem::create_directory(folder.Path() / "prev.ini");
    EXPECT_EQ(LoadSettings(folder.Path() / "prev.ini").kind, Kind::Unusable);
}

// The program's own files are written at their own names: a link found there, to somebody else's
// file or to nothing yet, is refused and never followed.
TEST(SettingsFileTest, OwnFilesAreNeverWrittenThroughALink) {
    const test_support::TempDir folder;
    const std::filesystem::path others = folder.Write("others.txt", "KEEP\n");
    const std::filesystem::path page = folder.Write("temp.htm", "<html></html>");
    const std::filesystem::path link = folder.Path() / "own";
    const std::filesystem::path dangling = folder.Path() / "nowhere";
    const std::pair<const char*, std::function<bool(const std::filesystem::path&)>> writes[] = {
        {"settings", [](const auto& file) { return SaveSettingsFile(file, "rooster.htm", "0"); }},
        {"bell times",
         [](const auto& file) {
             return SaveBellTimesFile(file, {DefaultBellTimes(), {}});
         }},
        {"copy", [&page](const auto& file) { return CopyFileAtomically(page, file, Links::Refuse); }},
    };
    for (const auto& [what, write] : writes) {
        SCOPED_TRACE(what);
        for (const std::filesystem::path& target : {others, dangling}) {
            std::filesystem::remove(link);
            std::filesystem::create_symlink(target, link);
            EXPECT_FALSE(write(link));
            EXPECT_TRUE(std::filesystem::is_symlink(link));
        }
        EXPECT_EQ(test_support::ReadFile(others), "KEEP\n");
        EXPECT_FALSE(std::filesystem::exists(dangling));
    }
    // Nor is a missing settings file made through one.
    EXPECT_EQ(LoadSettings(link).kind, Kind::Unusable);
    EXPECT_FALSE(std::filesystem::exists(dangling));
}

}  // namespace
}  // namespace orbelquint
