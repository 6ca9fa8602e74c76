#pragma once

#include <filesystem>
#include <fstream>

namespace orbelquint {

// A file written through a temporary file in the same folder, which takes the target's place
// only on Commit: nobody sees a half-written file, and a write that is abandoned leaves the
// target as it was.
class AtomicFile {
  public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the temporary file could not be created.
    bool IsOpen() const { return stream_.is_open(); }
    std::ostream& Stream() { return stream_; }

    // Finishes the temporary file and renames it over the target; false when that fails, in
    // which case the target is untouched.
    bool Commit();

  private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::ofstream stream_;
    bool committed_ = false;
};

// Copies a file byte for byte through an AtomicFile, replacing `to`; false when the source cannot
// be read or the copy cannot be written, in which case `to` stays as it was.
bool CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace orbelquint
