#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "core/files/week_page_claim.h"
#include "core/timetable/week_page.h"

namespace orbelquint {

// The week page this copy of the program shows: built into its claimed page file, or kept in
// memory where that file cannot be written (a read-only folder, no folder of the user's own), and
// whether it is the page of the week and data file last asked for.
class WeekPageSession {
  public:
    // Claims this copy's page file in `folder`; without a folder every page lives in memory.
    explicit WeekPageSession(const std::filesystem::path& folder);

    // Builds the page of `request` into the page file, or into memory when the file cannot be
    // written. The page file is the program's own: a link in its place is never written through.
    WeekPageResult Build(const WeekPageRequest& request);

    const std::filesystem::path& File() const { return claim_.Page(); }
    // True when the last complete page lives in memory only.
    bool InMemory() const { return !inMemory_.empty(); }
    const std::string& PageInMemory() const { return inMemory_; }
    // True when the last build was complete: the page is that of the week and data file asked for.
    bool IsCurrent() const { return current_; }
    // True when there is a page at all: in memory, or as a regular page file.
    bool Exists() const;

    // The bytes of the page, at most `limit`; nullopt when they cannot be read whole.
    std::optional<std::string> Bytes(std::size_t limit) const;
    // The first `limit` bytes of the page, all of a smaller one; nullopt when it cannot be read.
    std::optional<std::string> Start(std::size_t limit) const;

    // Removes the page file, only when it is one (a folder or a link of that name is not the
    // program's); false when it is there and cannot be removed.
    bool RemoveFile() const;

  private:
    WeekPageClaim claim_;
    std::string inMemory_;
    bool current_ = false;
};

}  // namespace orbelquint
