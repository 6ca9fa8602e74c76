#include "core/reading/file_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>

namespace orbelquint {

FileHandle OpenForReading(const std::filesystem::path& file, SpecialFiles special) {
    if (special == SpecialFiles::Allow) return FileHandle(std::fopen(file.c_str(), "rb"));
    // O_NONBLOCK keeps open() from waiting on a pipe; it means nothing for a regular file.
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    FileHandle handle(::fdopen(descriptor, "rb"));
    if (!handle) ::close(descriptor);
    return handle;
}

std::optional<FileStart> ReadFileStart(const std::filesystem::path& file, std::size_t limit) {
    const FileHandle handle = OpenForReading(file);
    if (!handle) return std::nullopt;
    struct stat status {};
    if (::fstat(::fileno(handle.get()), &status) != 0) return std::nullopt;
    FileStart start;
    start.size = static_cast<std::uintmax_t>(status.st_size);
    start.bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(start.size, limit)));
    start.bytes.resize(std::fread(start.bytes.data(), 1, start.bytes.size(), handle.get()));
    if (std::ferror(handle.get())) return std::nullopt;
    // A file that shrank while it was read is shown as far as it went.
    if (start.bytes.size() < start.size && start.bytes.size() < limit) start.size = start.bytes.size();
    return start;
}

bool IsSameFile(const std::filesystem::path& one, const std::filesystem::path& other) {
    std::error_code error;
    return std::filesystem::equivalent(one, other, error) && !error;
}

}  // namespace orbelquint
