#include "ui/week_page_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace orbelquint {
namespace {

// Copies that may run side by side in one folder.
constexpr int kMaxCopies = 100;

std::filesystem::path PageName(const std::filesystem::path& folder, int copy) {
    return folder / (copy == 1 ? std::string("temp.htm") : "temp" + std::to_string(copy) + ".htm");
}

std::filesystem::path LockFileFor(const std::filesystem::path& page) {
    return page.parent_path() / ("." + page.filename().string() + ".lock");
}

}  // namespace

WeekPageClaim::WeekPageClaim(const std::filesystem::path& folder) {
    // Without a folder there is no page file: never one in the working folder.
    if (folder.empty()) return;
    page_ = PageName(folder, 1);
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        if (TryClaim(PageName(folder, copy))) return;
        if (errno != EWOULDBLOCK) return;  // no lock file can be made here
    }
}

// Locks the page's lock file. The lock must be on the file that has the name now: a copy that
// ends removes its lock file, and a lock taken on a removed file holds nothing.
bool WeekPageClaim::TryClaim(const std::filesystem::path& page) {
    const std::filesystem::path lockFile = LockFileFor(page);
    for (;;) {
        const int lock = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (lock < 0) return false;
        if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(lock);
            errno = error;
            return false;
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(lock, &locked) == 0 && ::stat(lockFile.c_str(), &named) == 0 &&
            locked.st_ino == named.st_ino && locked.st_dev == named.st_dev) {
            page_ = page;
            lockFile_ = lockFile;
            lock_ = lock;
            return true;
        }
        ::close(lock);
    }
}

WeekPageClaim::~WeekPageClaim() {
    if (lock_ < 0) return;
    ::unlink(lockFile_.c_str());
    ::close(lock_);
}

}  // namespace orbelquint
