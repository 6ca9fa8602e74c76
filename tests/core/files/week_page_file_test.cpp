#include "core/files/week_page_file.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

namespace orbelquint {
namespace {

using test_support::ReadFile;

TEST(WeekPageFileTest, AWeekPageFileIsReplacedOnlyByACompletePage) {
    const test_support::TempDir folder;
    const std::filesystem::path target = folder.Write("temp.htm", "oude pagina");
    WeekPageRequest request;
    request.templateFile = folder.Write("def.dat", "HEAD\r\nFOOT\r\n");
    request.currentWeek = 5;

    request.dataFile = folder.Write("geen.htm", "geen rooster").string();
    EXPECT_EQ(WriteWeekPageFile(request, target).status, BuildStatus::Failed);
    EXPECT_EQ(ReadFile(target), "oude pagina");

    const std::string lesson = "1  WIS  PEE 01-09 B104  Wiskunde";
    request.dataFile =
        folder
            .Write("rooster.htm", "<h1>4A</h1>\r\n<pre>\r\n<h3>Maandag</h3><pre>" + lesson + "\r\n</pre>\r\n")
            .string();
    EXPECT_EQ(WriteWeekPageFile(request, target).status, BuildStatus::Complete);
    EXPECT_NE(ReadFile(target).find(lesson), std::string::npos);

    EXPECT_EQ(WriteWeekPageFile(request, folder.Path() / "geen-map" / "temp.htm").status,
              BuildStatus::PageNotWritten);
    std::filesystem::create_directory(folder.Path() / "map.htm");  // a folder in the page's place
    EXPECT_EQ(WriteWeekPageFile(request, folder.Path() / "map.htm").status, BuildStatus::PageNotWritten);
    // Nothing but the files written here: no temporary files stay behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 5);
}

}  // namespace
}  // namespace orbelquint
