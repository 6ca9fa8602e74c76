#include "core/week_page_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "core/shipped_names.h"

namespace orbelquint {

LockCall lockCallForTesting = &::flock;

namespace {

// Copies that may run side by side in one folder.
constexpr int kMaxCopies = 100;

std::filesystem::path PageName(const std::filesystem::path& folder, int copy) {
    const std::filesystem::path first = kWeekPageName;
    if (copy == 1) return folder / first;
    return folder / (first.stem().string() + std::to_string(copy) + first.extension().string());
}

// True when `descriptor` is open on the file that has the name `file` now (not a link).
bool HasTheName(int descriptor, const std::filesystem::path& file) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(file.c_str(), &named) == 0 &&
           opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
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
        if (TryClaim(PageName(folder, copy))) {
            RemovePagesOfEndedCopies(folder);
            return;
        }
        // A lock file that is a link belongs to nobody's running copy but is not ours to use.
        if (errno != EWOULDBLOCK && errno != ELOOP) return;  // no lock file can be made here
    }
}

// A page whose lock file nobody holds, or that has none, belongs to a copy that has ended. It is
// removed under its lock, so that a copy starting meanwhile passes over its number.
void WeekPageClaim::RemovePagesOfEndedCopies(const std::filesystem::path& folder) const {
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        const std::filesystem::path page = PageName(folder, copy);
        if (page == page_) continue;
        const std::filesystem::path lockFile = LockFileFor(page);
        const int lock = ::open(lockFile.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        if (lock < 0 && errno != ENOENT) continue;
        if (lock >= 0 && lockCallForTesting(lock, LOCK_EX | LOCK_NB) != 0) {
            ::close(lock);
            continue;
        }
        struct stat status {};
        if (::lstat(page.c_str(), &status) == 0 && S_ISREG(status.st_mode)) ::unlink(page.c_str());
        if (lock >= 0) {
            if (HasTheName(lock, lockFile)) ::unlink(lockFile.c_str());
            ::close(lock);
        }
    }
}

// Locks the page's lock file. The lock must be on the file that has the name now: a copy that
// ends removes its lock file, and a lock taken on a removed file holds nothing.
bool WeekPageClaim::TryClaim(const std::filesystem::path& page) {
    const std::filesystem::path lockFile = LockFileFor(page);
    for (;;) {
        const int lock = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (lock < 0) return false;
        if (lockCallForTesting(lock, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(lock);
            errno = error;
            return false;
        }
        if (HasTheName(lock, lockFile)) {
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
