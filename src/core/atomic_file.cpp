#include "core/atomic_file.h"

#include <random>
#include <string>
#include <system_error>

namespace orbelquint {
namespace {

// A hidden name beside the target that no other writer picks: ".temp.htm.5f3a09c1.tmp".
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
    std::random_device random;
    std::string name = "." + target.filename().string() + ".";
    constexpr char kHex[] = "0123456789abcdef";
    for (unsigned bits = random(), i = 0; i < 8; ++i, bits >>= 4)
        name += kHex[bits & 0xF];
    return target.parent_path() / (name + ".tmp");
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target)
    : target_(std::move(target)), temporary_(TemporaryNameFor(target_)) {
    stream_.open(temporary_, std::ios::binary | std::ios::trunc);
}

AtomicFile::~AtomicFile() {
    if (committed_) return;
    stream_.close();
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

bool AtomicFile::Commit() {
    if (!IsOpen()) return false;
    stream_.close();
    if (stream_.fail()) return false;
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    committed_ = !error;
    return committed_;
}

bool CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::ifstream source(from, std::ios::binary);
    if (!source) return false;
    AtomicFile copy(to);
    if (!copy.IsOpen()) return false;
    // Inserting an empty buffer would mark the stream failed, so an empty file copies as nothing.
    if (source.peek() != std::ifstream::traits_type::eof()) copy.Stream() << source.rdbuf();
    return !source.bad() && copy.Commit();
}

}  // namespace orbelquint
