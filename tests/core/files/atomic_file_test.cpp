#include "core/files/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace orbelquint {
namespace {

std::size_t FilesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFileTest, TheTargetChangesOnlyOnCommit) {
    const test_support::TempDir folder;
    const std::filesystem::path target = folder.Write("temp.htm", "oud");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.IsOpen());
        file.Stream() << "nieuw";
        EXPECT_EQ(test_support::ReadFile(target), "oud");
    }
    EXPECT_EQ(test_support::ReadFile(target), "oud");
    EXPECT_EQ(FilesIn(folder.Path()), 1u);

    AtomicFile file(target);
    file.Stream() << "nieuw";
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(test_support::ReadFile(target), "nieuw");
    EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(AtomicFileTest, AFolderThatCannotHoldTheFileFails) {
    const test_support::TempDir folder;
    AtomicFile missingFolder(folder.Path() / "geen" / "temp.htm");
    EXPECT_FALSE(missingFolder.IsOpen());
    EXPECT_FALSE(missingFolder.Commit());

    std::filesystem::create_directory(folder.Path() / "map");
    AtomicFile overFolder(folder.Path() / "map");
    overFolder.Stream() << "x";
    EXPECT_FALSE(overFolder.Commit());
}

std::filesystem::perms Mode(const std::filesystem::path& file) {
    return std::filesystem::status(file).permissions();
}

TEST(AtomicFileTest, LinksAreFollowedAndModesKept) {
    const test_support::TempDir folder;
    const std::filesystem::path target = folder.Write("rooster-week.htm", "oud");
    std::filesystem::permissions(target,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const std::filesystem::path link = folder.Path() / "link.htm";
    std::filesystem::create_symlink("rooster-week.htm", link);

    AtomicFile file(link);
    file.Stream() << "nieuw";
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test_support::ReadFile(target), "nieuw");
    EXPECT_EQ(Mode(target), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(FilesIn(folder.Path()), 2u);
}

TEST(AtomicFileTest, DevicesAreWrittenIntoOrRefusedButNeverReplaced) {
    AtomicFile refused("/dev/null");
    EXPECT_FALSE(refused.IsOpen());

    AtomicFile null("/dev/null", SpecialFiles::Allow);
    null.Stream() << "weg";
    EXPECT_TRUE(null.Commit());
    AtomicFile full("/dev/full", SpecialFiles::Allow);
    full.Stream() << "vol";
    EXPECT_FALSE(full.Commit());
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// A name of an open descriptor is written through it as a shell redirection would: appended to
// what a file opened for appending holds, the file itself never replaced, its descriptor still
// writing into it afterwards.
TEST(AtomicFileTest, AnOpenDescriptorIsWrittenIntoAndNeverReplaced) {
    const test_support::TempDir folder;
    const std::filesystem::path log = folder.Write("log", "ervoor\n");
    const int open = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(open, 0);
    const std::string number = std::to_string(open);
    std::filesystem::create_symlink("/dev/fd/" + number, folder.Path() / "link");
    const std::string thread = std::to_string(::gettid());
    const std::string names[] = {"/dev/fd/" + number,
                                 "/proc/self/fd/" + number,
                                 "/proc/" + std::to_string(::getpid()) + "/fd/" + number,
                                 "/proc/thread-self/fd/" + number,
                                 "/proc/self/task/" + thread + "/fd/" + number,
                                 (folder.Path() / "link").string(),
                                 log.string()};  // its own name, while a descriptor writes it
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        AtomicFile refused(name);
        EXPECT_FALSE(refused.IsOpen());
        AtomicFile file(name, SpecialFiles::Allow);
        file.Stream() << "pagina\n";
        EXPECT_TRUE(file.Commit());
    }
    ASSERT_EQ(::write(open, "erna\n", 5), 5);
    ::close(open);
    std::string expected = "ervoor\n";
    for (std::size_t i = 0; i < std::size(names); ++i)
        expected += "pagina\n";
    EXPECT_EQ(test_support::ReadFile(log), expected + "erna\n");
    EXPECT_EQ(FilesIn(folder.Path()), 2u);

    // A descriptor open only for reading is neither written nor replaced by a file.
    const int reading = ::open(log.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(reading, 0);
    for (const std::string& name :
         {"/dev/fd/" + std::to_string(reading), "/proc/thread-self/fd/" + std::to_string(reading)}) {
        AtomicFile readOnly(name, SpecialFiles::Allow);
        EXPECT_FALSE(readOnly.IsOpen()) << name;
    }
    ::close(reading);
    EXPECT_EQ(test_support::ReadFile(log), expected + "erna\n");

    AtomicFile closed("/dev/fd/" + number, SpecialFiles::Allow);
    EXPECT_FALSE(closed.Commit());
    EXPECT_FALSE(std::filesystem::exists("/dev/fd/" + number));
}

TEST(AtomicFileTest, ANameOfTheLongestLengthWorksAndNothingIsSeenBeforeCommit) {
    const test_support::TempDir folder;
    const std::filesystem::path target = folder.Path() / (std::string(250, 'w') + ".html");
    AtomicFile file(target);
    file.Stream() << "pagina";
    EXPECT_EQ(FilesIn(folder.Path()), 0u);  // a killed run would leave nothing
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(test_support::ReadFile(target), "pagina");
}

// Puts `replacement` in the place of a system call until the end of the scope.
template <class Call>
class StandIn {
  public:
    StandIn(Call& call, Call replacement) : call_(call), original_(call) { call_ = replacement; }
    ~StandIn() { call_ = original_; }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

  private:
    Call& call_;
    Call original_;
};

// Writes `bytes` over `target` whole or not at all; true when they took its place.
bool WriteOver(const std::filesystem::path& target, const std::string& bytes) {
    AtomicFile file(target);
    file.Stream() << bytes;
    return file.Commit();
}

// System calls of a disk that is full or broken.
ssize_t WriteToAFullDisk(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}
int SyncABrokenDisk(int) {
    errno = EIO;
    return -1;
}

TEST(AtomicFileTest, AFailedWriteOrSyncAtCommitLeavesTheTargetAsItWas) {
    const test_support::TempDir folder;
    const std::filesystem::path target = folder.Write("temp.htm", "oud");
    {
        const StandIn<WriteCall> failingWrite(writeCallForTesting, &WriteToAFullDisk);
        EXPECT_FALSE(WriteOver(target, "nieuw"));
    }
    // A file that cannot be synced does not take the name.
    const StandIn<SyncCall> failingSync(syncCallForTesting, &SyncABrokenDisk);
    EXPECT_FALSE(WriteOver(target, "nieuw"));
    EXPECT_EQ(test_support::ReadFile(target), "oud");
}

TEST(AtomicFileTest, AFailedRenameIsAFailure) {
    const test_support::TempDir folder;
    const std::filesystem::path target = folder.Write("temp.htm", "oud");
    AtomicFile file(target);
    file.Stream() << "nieuw";
    // A folder that is not empty takes the target's place before the rename.
    std::filesystem::remove(target);
    std::filesystem::create_directory(target);
    folder.Write("temp.htm/inhoud", "x");
    EXPECT_FALSE(file.Commit());
    EXPECT_TRUE(std::filesystem::is_directory(target));
}

// What the target held at each sync, in order.
std::vector<std::string> syncedWhile;
std::filesystem::path syncedTarget;

TEST(AtomicFileTest, TheFileIsSyncedBeforeItTakesTheNameAndTheFolderAfter) {
    const test_support::TempDir folder;
    syncedTarget = folder.Write("prev.ini", "oud");
    syncedWhile.clear();
    const StandIn<SyncCall> notingSync(syncCallForTesting, [](int descriptor) {
        struct stat status {};
        ::fstat(descriptor, &status);
        syncedWhile.push_back((S_ISDIR(status.st_mode) ? "map:" : "bestand:") +
                              test_support::ReadFile(syncedTarget));
        return 0;
    });
    EXPECT_TRUE(WriteOver(syncedTarget, "nieuw"));
    EXPECT_EQ(syncedWhile, (std::vector<std::string>{"bestand:oud", "map:nieuw"}));
}

TEST(AtomicFileTest, WithLinksRefusedALinkIsNeitherFollowedNorReplaced) {
    const test_support::TempDir folder;
    const std::filesystem::path own = folder.Write("eigen.txt", "van de gebruiker");
    const std::filesystem::path link = folder.Path() / "temp.htm";
    std::filesystem::create_symlink(own, link);
    AtomicFile file(link, SpecialFiles::Refuse, Links::Refuse);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(test_support::ReadFile(own), "van de gebruiker");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

TEST(AtomicFileTest, OnlyDayOldLeftoversAreRemoved) {
    const test_support::TempDir folder;
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(25);
    for (const char* name : {".temp.htm.5f3a09c1.tmp", ".orbelquint-5f3a09c1.tmp", ".eigen.tmp"}) {
        std::filesystem::last_write_time(folder.Write(name, "x"), old);
    }
    folder.Write(".temp.htm.0000aaaa.tmp", "van een copie die nu schrijft");
    RemoveStaleTemporaries(folder.Path(), "temp.htm");
    EXPECT_EQ(FilesIn(folder.Path()), 2u);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / ".eigen.tmp"));
}

}  // namespace
}  // namespace orbelquint
