#include "core/files/week_page_claim.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <thread>
#include <vector>

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

TEST(WeekPageClaimTest, OnlyTheProgramsOwnLeftoversGo) {
    const test_support::TempDir folder;
    const WeekPageClaim running(folder.Path());
    folder.Write("temp.htm", "van een lopende kopie");
    const std::string mark = test_support::ReadFile(folder.Path() / ".temp.htm.lock");
    ASSERT_FALSE(mark.empty());
    // Leftovers of ended copies, up to the last number: a marked lock file that nobody holds.
    folder.Write("temp3.htm", "oud");
    folder.Write(".temp3.htm.lock", mark);
    folder.Write(".temp6.htm.lock", mark);
    folder.Write("temp100.htm", "oud");
    folder.Write(".temp100.htm.lock", mark);
    // The user's: a page without a lock file, a lock file without the mark, a link as a page.
    folder.Write("temp2.htm", "eigen");
    folder.Write("temp8.htm", "eigen");
    folder.Write(".temp8.htm.lock", "eigen");
    folder.Write(".temp9.htm.lock", "");
    folder.Write("temp9.htm", "eigen");
    folder.Write(".temp5.htm.lock", mark);
    std::filesystem::create_symlink("temp.htm", folder.Path() / "temp5.htm");

    const WeekPageClaim started(folder.Path());
    EXPECT_EQ(started.Page(), folder.Path() / "temp3.htm");  // an ended copy's number is taken again
    for (const char* kept : {"temp.htm", ".temp.htm.lock", "temp2.htm", "temp8.htm", ".temp8.htm.lock",
                             "temp9.htm", ".temp9.htm.lock", ".temp3.htm.lock"})
        EXPECT_TRUE(std::filesystem::exists(folder.Path() / kept)) << kept;
    for (const char* gone :
         {".temp2.htm.lock", ".temp6.htm.lock", "temp100.htm", ".temp100.htm.lock", ".temp5.htm.lock"})
        EXPECT_FALSE(std::filesystem::exists(folder.Path() / gone)) << gone;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / "temp5.htm"));
    EXPECT_EQ(test_support::ReadFile(folder.Path() / "temp2.htm"), "eigen");
}

// Copies that start and end side by side, each clearing the leftovers of the others while they
// claim: a copy's page stays until it removes it itself.
TEST(WeekPageClaimTest, NoCopyRemovesThePageAnotherJustClaimed) {
    const test_support::TempDir folder;
    std::atomic<int> lost = 0;
    const auto copy = [&folder, &lost](int number) {
        for (int run = 0; run < 2000; ++run) {
            const WeekPageClaim claim(folder.Path());
            const std::string mine = std::to_string(number) + "/" + std::to_string(run);
            { std::ofstream(claim.Page()) << mine; }
            std::this_thread::yield();
            if (test_support::ReadFile(claim.Page()) != mine) ++lost;
            std::filesystem::remove(claim.Page());
        }
    };
    std::vector<std::thread> copies;
    copies.reserve(4);
    for (int number = 0; number < 6; ++number)
        copies.emplace_back(copy, number);
    for (std::thread& running : copies)
        running.join();
    EXPECT_EQ(lost, 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
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
