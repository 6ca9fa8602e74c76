#include "ui/main_window/refusals.h"

#include <gtest/gtest.h>

#include "support/test_files.h"
#include "support/week_requests.h"

namespace orbelquint {
namespace {

using test_support::Week50Of;

const std::string kSample = test_support::SampleDataFile().string();

TEST(RefusalsTest, APageIsHadOnlyWhenThereIsOneOfTheWeekShown) {
    const test_support::TempDir folder;
    WeekPageSession page(folder.Path());
    EXPECT_TRUE(
        PageRefusal(page, 50, "af te drukken")->startsWith("Er is nog geen weekpagina af te drukken."));
    page.Build(Week50Of(kSample));
    EXPECT_EQ(PageRefusal(page, 50, "af te drukken"), std::nullopt);
    page.Build(Week50Of("/bestaat/niet.htm"));
    EXPECT_TRUE(PageRefusal(page, 50, "om te zetten")->startsWith("De weekpagina van week 50 kon niet"));
}

TEST(RefusalsTest, ACopyNeedsAPageFileAndAPlainNameThatFits) {
    const test_support::TempDir folder;
    WeekPageSession page(folder.Path());
    page.Build(Week50Of(kSample));
    EXPECT_EQ(CopyRefusal(page, 50, "4A - week50.html"), std::nullopt);
    EXPECT_TRUE(CopyRefusal(page, 50, std::string(256, 'a'))->contains("te lang"));
    EXPECT_TRUE(CopyRefusal(page, 50, "4A/B - week50.html")->contains("schuine streep"));
    EXPECT_TRUE(CopyRefusal(page, 50, "4A\x1b - week50.html")->contains("\\x1b"));

    WeekPageSession inMemory({});
    inMemory.Build(Week50Of(kSample));
    EXPECT_TRUE(CopyRefusal(inMemory, 50, "4A - week50.html")->contains("kan niets worden geschreven"));
}

TEST(RefusalsTest, NothingIsWrittenOverAnInput) {
    const test_support::TempDir folder;
    const std::filesystem::path inputs[] = {folder.Write("rooster.htm", "x")};
    EXPECT_EQ(OverwriteRefusal(folder.Path() / "kopie.htm", inputs), std::nullopt);
    EXPECT_TRUE(OverwriteRefusal(folder.Path() / "rooster.htm", inputs)->contains("er is niets opgeslagen"));
}

}  // namespace
}  // namespace orbelquint
