#include "core/files/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <system_error>

#include "core/text/text.h"

namespace orbelquint {

WriteCall writeCallForTesting = &::write;
SyncCall syncCallForTesting = &::fsync;

namespace {

constexpr std::size_t kBufferSize = std::size_t{64} * 1024;
// Random temporary names tried before giving up: each is taken only by a file of that exact name.
constexpr int kNameAttempts = 100;
// Symbolic links followed before a name counts as a loop, as the kernel does.
constexpr int kMaxLinks = 40;
// The named temporary files: a fixed short name, so that a target of any allowed length works.
constexpr char kTemporaryPrefix[] = ".orbelquint-";
constexpr char kTemporarySuffix[] = ".tmp";

// Where a name leads: the name with every symbolic link along its last part followed, or the
// descriptor of this process that it stands for (/dev/stdout, /dev/fd/N, /proc/thread-self/fd/N),
// whose link must not be followed: it names an open file, not a place to put one.
struct LinkEnd {
    std::filesystem::path name;
    std::optional<int> descriptor;
};

// True for the folder of this process's descriptors, also as one of its threads sees it
// (/proc/thread-self/fd leads to /proc/PID/task/TID/fd).
bool IsOwnDescriptorFolder(const std::filesystem::path& folder) {
    static const std::filesystem::path own = "/proc/" + std::to_string(::getpid());
    if (folder.filename() != "fd") return false;
    return folder == own / "fd" || folder.parent_path().parent_path() == own / "task";
}

// The number a name of an open descriptor of this process ends in; nullopt for any other name.
std::optional<int> DescriptorNumber(const std::filesystem::path& name) {
    const std::string number = name.filename().string();
    if (number.empty() || number.size() > 9 || !std::all_of(number.begin(), number.end(), IsDigit))
        return std::nullopt;
    std::error_code error;
    const auto folder = std::filesystem::canonical(name.has_parent_path() ? name.parent_path() : ".", error);
    if (error || !IsOwnDescriptorFolder(folder)) return std::nullopt;
    return std::stoi(number);
}

bool IsOpenForWriting(int descriptor) {
    const int flags = ::fcntl(descriptor, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

// A descriptor of this process open for writing on the file `status` describes, whatever name
// it was opened by; nullopt when there is none.
std::optional<int> DescriptorWritingTo(const struct stat& status) {
    DIR* const folder = ::opendir("/proc/self/fd");
    if (folder == nullptr) return std::nullopt;
    std::optional<int> found;
    while (const dirent* entry = ::readdir(folder)) {
        const int descriptor = std::atoi(entry->d_name);
        struct stat open {};
        if (entry->d_name[0] == '.' || descriptor == ::dirfd(folder) || ::fstat(descriptor, &open) != 0)
            continue;
        if (open.st_dev == status.st_dev && open.st_ino == status.st_ino && IsOpenForWriting(descriptor)) {
            found = descriptor;
            break;
        }
    }
    ::closedir(folder);
    return found;
}

// nullopt for a loop.
std::optional<LinkEnd> FollowLinks(std::filesystem::path name) {
    for (int i = 0; i < kMaxLinks; ++i) {
        if (const std::optional<int> descriptor = DescriptorNumber(name)) return LinkEnd{name, descriptor};
        std::error_code error;
        if (!std::filesystem::is_symlink(name, error)) return LinkEnd{name, std::nullopt};
        const std::filesystem::path linked = std::filesystem::read_symlink(name, error);
        if (error) return std::nullopt;
        name = linked.is_absolute() ? linked : name.parent_path() / linked;
    }
    return std::nullopt;
}

std::string RandomTemporaryName() {
    static std::mt19937 random{std::random_device{}()};
    std::string name = kTemporaryPrefix;
    constexpr char kHex[] = "0123456789abcdef";
    for (auto bits = random(), i = decltype(bits){0}; i < 8; ++i, bits >>= 4)
        name += kHex[bits & 0xF];
    return name + kTemporarySuffix;
}

}  // namespace

DescriptorBuffer::DescriptorBuffer() : buffer_(new char[kBufferSize]) {
    setp(buffer_.get(), buffer_.get() + kBufferSize);
}

void DescriptorBuffer::WriteAll(const char* bytes, std::size_t count) {
    while (count > 0 && !failed_) {
        const ssize_t written = writeCallForTesting(descriptor_, bytes, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            failed_ = true;
            return;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

bool DescriptorBuffer::Drain() {
    WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.get(), buffer_.get() + kBufferSize);
    return !failed_;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c) {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

std::streamsize DescriptorBuffer::xsputn(const char* bytes, std::streamsize count) {
    const auto size = static_cast<std::size_t>(count);
    if (size > static_cast<std::size_t>(epptr() - pptr())) {
        if (!Drain()) return 0;
        if (size >= kBufferSize) {
            WriteAll(bytes, size);
            return failed_ ? 0 : count;
        }
    }
    std::memcpy(pptr(), bytes, size);
    pbump(static_cast<int>(count));
    return count;
}

int DescriptorBuffer::sync() {
    return Drain() ? 0 : -1;
}

AtomicFile::AtomicFile(const std::filesystem::path& target, SpecialFiles special, Links links)
    : stream_(&buffer_) {
    std::error_code error;
    if (links == Links::Refuse && std::filesystem::is_symlink(target, error)) return;
    const std::optional<LinkEnd> followed = FollowLinks(target);
    // An open descriptor is written into through itself, as it was opened (appending, say); one
    // open only for reading is refused, never replaced by a file.
    if (followed && followed->descriptor) {
        if (special == SpecialFiles::Allow && IsOpenForWriting(*followed->descriptor))
            WriteDirectly(::fcntl(*followed->descriptor, F_DUPFD_CLOEXEC, 0));
        return;
    }
    // Asked of the name itself, whose links the kernel follows as an open does.
    struct stat status {};
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode)) return;
    // A file this process already writes (its standard output reached by another name, say) is
    // written through that descriptor too: replacing it would lose what the descriptor keeps.
    if (const std::optional<int> held = exists ? DescriptorWritingTo(status) : std::nullopt) {
        if (special == SpecialFiles::Allow) WriteDirectly(::fcntl(*held, F_DUPFD_CLOEXEC, 0));
        return;
    }
    if (exists && !S_ISREG(status.st_mode)) {
        if (special == SpecialFiles::Allow)
            WriteDirectly(::open(target.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC));
        return;
    }
    if (!followed || !followed->name.has_filename()) return;
    target_ = followed->name;
    OpenTemporary(target_.has_parent_path() ? target_.parent_path() : ".");
    // A file that is replaced keeps its mode; a new one gets the usual one.
    if (IsOpen() && exists && ::fchmod(descriptor_, status.st_mode & 07777) != 0) CloseDescriptor();
    buffer_.Attach(descriptor_);
}

void AtomicFile::WriteDirectly(int descriptor) {
    descriptor_ = descriptor;
    direct_ = true;
    buffer_.Attach(descriptor_);
}

void AtomicFile::OpenTemporary(const std::filesystem::path& folder) {
    folder_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0) return;
    descriptor_ = ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    unnamed_ = descriptor_ >= 0;
    // Some file systems have no unnamed files: a named one, removed again if the run goes on.
    for (int attempt = 0; descriptor_ < 0 && attempt < kNameAttempts; ++attempt) {
        temporaryName_ = RandomTemporaryName();
        descriptor_ =
            ::openat(folder_, temporaryName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST) break;
    }
    if (descriptor_ < 0) temporaryName_.clear();
}

// Gives the unnamed file a temporary name in the folder, which the rename then moves over the
// target; linking cannot replace a file itself.
bool AtomicFile::LinkIntoPlace() {
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = RandomTemporaryName();
        if (::linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temporaryName_ = name;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

void AtomicFile::CloseDescriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    buffer_.Attach(-1);
}

AtomicFile::~AtomicFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!committed_ && !temporaryName_.empty()) ::unlinkat(folder_, temporaryName_.c_str(), 0);
    if (folder_ >= 0) ::close(folder_);
}

bool AtomicFile::Commit() {
    if (!IsOpen() || !stream_.flush() || buffer_.Failed()) return false;
    if (!direct_ && syncCallForTesting(descriptor_) != 0) return false;
    if (unnamed_ && !LinkIntoPlace()) return false;
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) return false;
    if (direct_) return committed_ = true;
    committed_ = ::renameat(folder_, temporaryName_.c_str(), folder_, target_.filename().c_str()) == 0;
    if (committed_) SyncFolder();
    return committed_;
}

// Puts the new name on the disk. The file is in place whatever this gives: a folder that may be
// entered but not read cannot be synced, and the rename stands.
void AtomicFile::SyncFolder() const {
    const int folder = ::openat(folder_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    syncCallForTesting(folder);
    ::close(folder);
}

bool CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to, Links links) {
    const FileHandle source = OpenForReading(from);
    if (!source) return false;
    AtomicFile copy(to, SpecialFiles::Refuse, links);
    if (!copy.IsOpen()) return false;
    char block[8192];
    for (std::size_t count; (count = std::fread(block, 1, sizeof block, source.get())) > 0;) {
        copy.Stream().write(block, static_cast<std::streamsize>(count));
    }
    return !std::ferror(source.get()) && copy.Commit();
}

void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& name) {
    const std::string oldPrefix = "." + name + ".";
    const auto dayAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string file = entry->path().filename().string();
        const bool temporary = (file.starts_with(oldPrefix) || file.starts_with(kTemporaryPrefix)) &&
                               file.ends_with(kTemporarySuffix);
        std::error_code ignored;
        if (temporary && entry->is_regular_file(ignored) && !entry->is_symlink(ignored) &&
            entry->last_write_time(ignored) < dayAgo) {
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

}  // namespace orbelquint
