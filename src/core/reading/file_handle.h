#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace orbelquint {

// What a file operation does with a name that turns out to be a device, a pipe or a socket. The
// windows refuse them, since reading a pipe or /dev/zero would freeze or flood the window; the
// command-line tool takes them, as a shell redirection would.
enum class SpecialFiles { Refuse, Allow };

// What writing does with a name that is a symbolic link. The program's own files follow none, so
// that nobody can make the program replace another file through them; what the user names is
// followed.
enum class Links { Follow, Refuse };

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A C file that closes itself; empty when the file could not be opened.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file for reading in binary. With SpecialFiles::Refuse only a regular file opens, and
// opening never waits (a named pipe without a writer is refused at once).
FileHandle OpenForReading(const std::filesystem::path& file, SpecialFiles special = SpecialFiles::Refuse);

// The first bytes of a file and the size of the whole.
struct FileStart {
    std::string bytes;
    std::uintmax_t size = 0;
    bool Whole() const { return bytes.size() == size; }
};

// Reads at most `limit` bytes from the start of a regular file (never a device or a pipe, and
// never waiting); nullopt when it cannot be opened or read.
std::optional<FileStart> ReadFileStart(const std::filesystem::path& file, std::size_t limit);

// True when both names lead to one file (same device and inode), through links or not.
bool IsSameFile(const std::filesystem::path& one, const std::filesystem::path& other);

}  // namespace orbelquint
