#include "core/files/week_page_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "core/files/shipped_names.h"

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

// What this program writes into each lock file it makes, so that it removes no file it did not
// make: a user's file named like a page or a lock file is never touched.
constexpr std::string_view kLockMark = "OrbelQuint weekpagina\n";

// True when `descriptor` is open on the file that has the name `file` now (not a link).
bool HasTheName(int descriptor, const std::filesystem::path& file) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(file.c_str(), &named) == 0 &&
           opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
}

bool CarriesTheMark(int descriptor) {
    char bytes[kLockMark.size() + 1];
    return ::pread(descriptor, bytes, sizeof bytes, 0) == static_cast<ssize_t>(kLockMark.size()) &&
           std::string_view(bytes, kLockMark.size()) == kLockMark;
}

bool Exists(const std::filesystem::path& file) {
    struct stat status {};
    return ::lstat(file.c_str(), &status) == 0;
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
        const Claim claim = TryClaim(PageName(folder, copy));
        if (claim == Claim::Made) {
            RemovePagesOfEndedCopies(folder);
            return;
        }
        if (claim == Claim::Impossible) return;  // no lock file can be made here
    }
}

// A page goes only with a lock file that carries the program's mark and that nobody holds: the
// leftover of a copy that has ended. It is removed under its lock, so that a copy starting
// meanwhile passes over its number; a page without a lock file may be anybody's and stays.
void WeekPageClaim::RemovePagesOfEndedCopies(const std::filesystem::path& folder) const {
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        const std::filesystem::path page = PageName(folder, copy);
        if (page == page_) continue;
        const std::filesystem::path lockFile = LockFileFor(page);
        const int lock = ::open(lockFile.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        if (lock < 0) continue;
        if (lockCallForTesting(lock, LOCK_EX | LOCK_NB) == 0 && HasTheName(lock, lockFile) &&
            CarriesTheMark(lock)) {
            struct stat status {};
            if (::lstat(page.c_str(), &status) == 0 && S_ISREG(status.st_mode)) ::unlink(page.c_str());
            ::unlink(lockFile.c_str());
        }
        ::close(lock);
    }
}

// Locks the page's lock file: one made now, marked before it is locked, where no page is; or the
// marked one of an ended copy. The lock must be on the file that has the name now: a copy that
// ends or clears a leftover removes the lock file, and a lock taken on a removed file holds nothing.
WeekPageClaim::Claim WeekPageClaim::TryClaim(const std::filesystem::path& page) {
    const std::filesystem::path lockFile = LockFileFor(page);
    for (;;) {
        int lock = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        const bool made = lock >= 0;
        if (made) {
            if (::write(lock, kLockMark.data(), kLockMark.size()) != static_cast<ssize_t>(kLockMark.size())) {
                ::unlink(lockFile.c_str());
                ::close(lock);
                return Claim::Impossible;
            }
        } else if (errno == EEXIST) {
            lock = ::open(lockFile.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
            if (lock < 0 && errno == ENOENT) continue;  // cleared meanwhile
            if (lock < 0) return errno == ELOOP ? Claim::Taken : Claim::Impossible;
        } else {
            return errno == ELOOP ? Claim::Taken : Claim::Impossible;
        }
        if (lockCallForTesting(lock, LOCK_EX | LOCK_NB) != 0) {
            ::close(lock);
            return Claim::Taken;
        }
        if (!HasTheName(lock, lockFile)) {
            ::close(lock);
            continue;
        }
        // Not the program's lock file, or a page nobody claimed: the user's, and not to be written.
        if (!CarriesTheMark(lock) || (made && Exists(page))) {
            if (made) ::unlink(lockFile.c_str());
            ::close(lock);
            return Claim::Taken;
        }
        page_ = page;
        lockFile_ = lockFile;
        lock_ = lock;
        return Claim::Made;
    }
}
WeekPageClaim::~WeekPageClaim() {
    if (lock_ < 0) return;
    ::unlink(lockFile_.c_str());
    ::close(lock_);
}

}  // namespace orbelquint
