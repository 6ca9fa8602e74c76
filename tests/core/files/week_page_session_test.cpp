#include "core/files/week_page_session.h"

#include <gtest/gtest.h>

#include "support/test_files.h"
#include "support/week_requests.h"

namespace orbelquint {
namespace {

using test_support::Week50Of;

TEST(WeekPageSessionTest, ThePageGoesIntoItsFileAndIsCurrentOnlyAfterACompleteBuild) {
    const test_support::TempDir folder;
    WeekPageSession session(folder.Path());
    EXPECT_FALSE(session.Exists());
    ASSERT_EQ(session.Build(Week50Of(test_support::SampleDataFile().string())).status, BuildStatus::Complete);
    EXPECT_TRUE(session.IsCurrent());
    EXPECT_FALSE(session.InMemory());
    EXPECT_EQ(session.Bytes(1 << 20), test_support::ReadFile(session.File()));

    EXPECT_EQ(session.Build(Week50Of("/bestaat/niet.htm")).status, BuildStatus::Failed);
    EXPECT_FALSE(session.IsCurrent());
    EXPECT_TRUE(session.Exists());               // the earlier page stays
    EXPECT_EQ(session.Bytes(10), std::nullopt);  // larger than asked for
    EXPECT_TRUE(session.RemoveFile());
    EXPECT_FALSE(std::filesystem::exists(session.File()));
}

TEST(WeekPageSessionTest, WithoutAFileThatCanBeWrittenThePageLivesInMemory) {
    const test_support::TempDir folder;
    WeekPageSession withoutFolder({});
    ASSERT_EQ(withoutFolder.Build(Week50Of(test_support::SampleDataFile().string())).status,
              BuildStatus::Complete);
    EXPECT_TRUE(withoutFolder.InMemory());
    EXPECT_TRUE(withoutFolder.Exists());
    EXPECT_NE(withoutFolder.PageInMemory().find("Herhaling wiskunde"), std::string::npos);
    EXPECT_EQ(withoutFolder.Bytes(1 << 20), withoutFolder.PageInMemory());

    // A link in the page file's place is neither written through nor removed.
    const std::filesystem::path own = folder.Write("eigen.txt", "van de gebruiker");
    WeekPageSession planted(folder.Path());
    std::filesystem::create_symlink(own, planted.File());
    ASSERT_EQ(planted.Build(Week50Of(test_support::SampleDataFile().string())).status, BuildStatus::Complete);
    EXPECT_TRUE(planted.InMemory());
    EXPECT_TRUE(planted.RemoveFile());
    EXPECT_TRUE(std::filesystem::is_symlink(planted.File()));
    EXPECT_EQ(test_support::ReadFile(own), "van de gebruiker");
}

}  // namespace
}  // namespace orbelquint
