#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "core/reading/file_handle.h"

namespace orbelquint {

// Hands bytes to a file descriptor through a buffer of its own and remembers whether any of them
// could not be written.
class DescriptorBuffer : public std::streambuf {
  public:
    DescriptorBuffer();
    void Attach(int descriptor) { descriptor_ = descriptor; }
    bool Failed() const { return failed_; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

  private:
    bool Drain();
    void WriteAll(const char* bytes, std::size_t count);

    std::unique_ptr<char[]> buffer_;
    int descriptor_ = -1;
    bool failed_ = false;
};

// The system call that writes a file's bytes; tests put one in its place that fails.
using WriteCall = ssize_t (*)(int descriptor, const void* bytes, std::size_t count);
extern WriteCall writeCallForTesting;
// The system call that puts a file's bytes on the disk; tests put one in its place that fails or
// notes when it is called.
using SyncCall = int (*)(int descriptor);
extern SyncCall syncCallForTesting;

// A file that is written whole or not at all. A regular file (or a new one) is written as a
// temporary file in the same folder, which takes the target's place only on Commit: nobody sees
// a half-written file, an abandoned write leaves the target as it was, and the replaced file's
// mode is kept. The file is synced to the disk before it takes the name and the folder after, so
// that also a crash of the machine leaves the old file or the new one. The temporary file has no
// name until Commit where the file system allows it, so a killed run leaves nothing behind. A
// symbolic link is followed and its target replaced, or refused with Links::Refuse. A file this
// process holds open for writing, by whatever name (/dev/stdout, /dev/fd/N, /proc/thread-self/fd/N,
// a link to one of them, its own name), a device or a pipe is written into directly when
// `special` allows it, as a shell redirection would (an open file through its descriptor, so
// appending where it appends), and otherwise refused; so is a name of a descriptor open only for
// reading, and a folder.
class AtomicFile {
  public:
    explicit AtomicFile(const std::filesystem::path& target, SpecialFiles special = SpecialFiles::Refuse,
                        Links links = Links::Follow);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the file cannot be written at all.
    bool IsOpen() const { return descriptor_ >= 0; }
    std::ostream& Stream() { return stream_; }

    // Finishes the file and puts it in the target's place; false when any of it could not be
    // written, in which case a regular target is untouched.
    bool Commit();

  private:
    void WriteDirectly(int descriptor);
    void OpenTemporary(const std::filesystem::path& folder);
    bool LinkIntoPlace();
    void SyncFolder() const;
    void CloseDescriptor();

    std::filesystem::path target_;  // with every symbolic link followed
    int folder_ = -1;               // the target's folder, for the temporary file and the rename
    int descriptor_ = -1;
    std::string temporaryName_;  // the temporary file's name in the folder, once it has one
    bool direct_ = false;        // written straight into a device or pipe
    bool unnamed_ = false;       // an O_TMPFILE file, which gets a name only at Commit
    DescriptorBuffer buffer_;
    std::ostream stream_;
    bool committed_ = false;
};

// Copies a regular file byte for byte through an AtomicFile, replacing `to`; false when the source
// cannot be read or the copy cannot be written, in which case `to` stays as it was.
bool CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to,
                        Links links = Links::Follow);

// Removes temporary files that an earlier run, killed while writing `name` in `folder`, left
// behind more than a day ago.
void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& name);

}  // namespace orbelquint
