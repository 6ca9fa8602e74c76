#include "core/atomic_file.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace orbelquint {
namespace {

std::size_t FilesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFileTest, TheTargetChangesOnlyOnCommit) {
    const testing::TempDir folder;
    const std::filesystem::path target = folder.Write("temp.htm", "oud");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.IsOpen());
        file.Stream() << "nieuw";
        EXPECT_EQ(testing::ReadFile(target), "oud");
    }
    EXPECT_EQ(testing::ReadFile(target), "oud");
    EXPECT_EQ(FilesIn(folder.Path()), 1u);

    AtomicFile file(target);
    file.Stream() << "nieuw";
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(testing::ReadFile(target), "nieuw");
    EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(AtomicFileTest, AFolderThatCannotHoldTheFileFails) {
    const testing::TempDir folder;
    AtomicFile missingFolder(folder.Path() / "geen" / "temp.htm");
    EXPECT_FALSE(missingFolder.IsOpen());
    EXPECT_FALSE(missingFolder.Commit());

    std::filesystem::create_directory(folder.Path() / "map");
    AtomicFile overFolder(folder.Path() / "map");
    overFolder.Stream() << "x";
    EXPECT_FALSE(overFolder.Commit());
}

}  // namespace
}  // namespace orbelquint
