#include "core/file_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace orbelquint
