#include "core/week_page_claim.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "support/test_files.h"

namespace orbelquint {
namespace {

TEST(WeekPageClaimTest, WithoutAFolderThereIsNoPageFile) {
    EXPECT_TRUE(WeekPageClaim({}).Page().empty());  // never temp.htm in the working folder
}

TEST(WeekPageClaimTest, ALockFileThatIsALinkIsPassedOver) {
    const test_support::TempDir folder;
    const std::filesystem::path own = folder.Write("eigen.txt", "van de gebruiker");
    std::filesystem::create_symlink(own, folder.Path() / ".temp.htm.lock");
    const WeekPageClaim claim(folder.Path());
    EXPECT_EQ(claim.Page(), folder.Path() / "temp2.htm");
    EXPECT_EQ(test_support::ReadFile(own), "van de gebruiker");
}

TEST(WeekPageClaimTest, PagesOfEndedCopiesGoAndThoseOfRunningCopiesStay) {
    const test_support::TempDir folder;
    const WeekPageClaim running(folder.Path());
    folder.Write("temp.htm", "van een lopende kopie");
    // Ended copies: a lock file nobody holds, or none at all; a link is no page of theirs.
    folder.Write("temp3.htm", "oud");
    folder.Write(".temp3.htm.lock", "");
    folder.Write("temp4.htm", "oud");
    std::filesystem::create_symlink("temp.htm", folder.Path() / "temp5.htm");

    const WeekPageClaim started(folder.Path());
    EXPECT_EQ(started.Page(), folder.Path() / "temp2.htm");
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "temp.htm"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / ".temp.htm.lock"));
    for (const char* gone : {"temp3.htm", ".temp3.htm.lock", "temp4.htm"})
        EXPECT_FALSE(std::filesystem::exists(folder.Path() / gone)) << gone;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / "temp5.htm"));
}

// The lock file as another copy makes it anew, locked, between this copy's open and its lock.
std::filesystem::path replacedLockFile;
int otherCopysLock = -1;

TEST(WeekPageClaimTest, ALockFileMadeAnewBetweenOpenAndLockIsNotClaimed) {
    const test_support::TempDir folder;
    replacedLockFile = folder.Path() / ".temp.htm.lock";
    otherCopysLock = -1;
    lockCallForTesting = [](int descriptor, int operation) {
        if (otherCopysLock < 0) {
            ::unlink(replacedLockFile.c_str());
            otherCopysLock = ::open(replacedLockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            ::flock(otherCopysLock, LOCK_EX);
        }
        return ::flock(descriptor, operation);
    };
    const WeekPageClaim claim(folder.Path());
    lockCallForTesting = &::flock;
    ::close(otherCopysLock);
    EXPECT_EQ(claim.Page(), folder.Path() / "temp2.htm");
}

}  // namespace
}  // namespace orbelquint
