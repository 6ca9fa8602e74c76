#pragma once

#include <filesystem>

namespace orbelquint {

// The system call that locks a file; tests put one in its place that lets another copy act between
// the opening of a lock file and its lock.
using LockCall = int (*)(int descriptor, int operation);
extern LockCall lockCallForTesting;

// The week page file of this copy of the program. The first copy that runs in a folder writes
// "temp.htm"; copies started beside it write "temp2.htm", "temp3.htm" and so on, so that each copy
// shows, saves and removes only its own page. A copy holds its name by a lock on a hidden lock
// file (".temp.htm.lock") that carries the program's mark, which the system lets go when the copy
// ends, however it ends. The pages and lock files of copies that ended without removing them go
// when a copy claims its own. Files the program cannot show to be its own are never written or
// removed: a page without a lock file, a lock file without the mark or one that is a symbolic
// link; their numbers are passed over.
class WeekPageClaim {
  public:
    explicit WeekPageClaim(const std::filesystem::path& folder);
    ~WeekPageClaim();
    WeekPageClaim(const WeekPageClaim&) = delete;
    WeekPageClaim& operator=(const WeekPageClaim&) = delete;

    // This copy's week page. In a folder where no lock file can be made, "temp.htm": no copy can
    // write a page there anyway. Empty without a folder: the page is then shown from memory.
    const std::filesystem::path& Page() const { return page_; }

  private:
    enum class Claim {
        Made,        // this copy's page from now on
        Taken,       // by a running copy or by the user: the next number is tried
        Impossible,  // no lock file can be made in the folder
    };
    Claim TryClaim(const std::filesystem::path& page);
    void RemovePagesOfEndedCopies(const std::filesystem::path& folder) const;

    std::filesystem::path page_;
    std::filesystem::path lockFile_;
    int lock_ = -1;
};

}  // namespace orbelquint
