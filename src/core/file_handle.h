#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

namespace orbelquint {

// What a file operation does with a name that turns out to be a device, a pipe or a socket. The
// windows refuse them, since reading a pipe or /dev/zero would freeze or flood the window; the
// command-line tool takes them, as a shell redirection would.
enum class SpecialFiles { Refuse, Allow };

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A C file that closes itself; empty when the file could not be opened.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file for reading in binary. With SpecialFiles::Refuse only a regular file opens, and
// opening never waits (a named pipe without a writer is refused at once).
FileHandle OpenForReading(const std::filesystem::path& file, SpecialFiles special = SpecialFiles::Refuse);

}  // namespace orbelquint
