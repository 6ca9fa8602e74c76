#include "core/read_ahead.h"

#include <unistd.h>

#include <cerrno>

#include "core/line_marks.h"

namespace orbelquint {

ReadAhead::ReadAhead(int descriptor)
    : bytes_(std::make_unique_for_overwrite<char[]>(kBlocks * kBlockSize)),
      marks_(std::make_unique_for_overwrite<std::uint32_t[]>(kBlocks * MarkCapacity(kBlockSize))),
      blocks_(PlaceBlocks(bytes_.get(), marks_.get())),
      descriptor_(descriptor),
      thread_([this](const std::stop_token& stop) { Run(stop); }) {}

std::array<ReadAhead::Block, ReadAhead::kBlocks> ReadAhead::PlaceBlocks(char* bytes, std::uint32_t* marks) {
    std::array<Block, kBlocks> blocks;
    for (std::size_t i = 0; i < kBlocks; ++i) {
        blocks[i].bytes = bytes + i * kBlockSize;
        blocks[i].marks = marks + i * MarkCapacity(kBlockSize);
    }
    return blocks;
}

void ReadAhead::Run(const std::stop_token& stop) {
    const MarkScanner scanner = FastestMarkScanner();
    bool afterCarriageReturn = false;
    for (std::size_t next = 0;; ++next) {
        Block& block = blocks_[next % kBlocks];
        {
            std::unique_lock lock(mutex_);
            // When every block is in use, the thread waits until half of them are released, so
            // that it is woken once for many blocks.
            if (next - released_ == kBlocks &&
                !changed_.wait(lock, stop, [&] { return next - released_ <= kBlocks / 2; }))
                return;
        }
        ssize_t count = 0;
        do {
            count = read(descriptor_, block.bytes, kBlockSize);
        } while (count < 0 && errno == EINTR);
        if (count > 0) {
            const std::string_view bytes(block.bytes, static_cast<std::size_t>(count));
            block.markCount = FindLineMarks(scanner, bytes, afterCarriageReturn, block.marks);
            afterCarriageReturn = bytes.back() == '\r';
        }
        {
            const std::lock_guard lock(mutex_);
            if (count <= 0) {
                ended_ = true;
                failed_ = count < 0;
            } else {
                block.size = static_cast<std::size_t>(count);
                ++filled_;
            }
        }
        changed_.notify_all();
        if (count <= 0) return;
    }
}

ReadAhead::MarkedBlock ReadAhead::Next() {
    std::unique_lock lock(mutex_);
    if (handedOut_) {
        ++released_;
        handedOut_ = false;
        if (filled_ - released_ == kBlocks / 2) changed_.notify_all();
    }
    changed_.wait(lock, [this] { return filled_ > released_ || ended_; });
    if (filled_ == released_) return {};
    handedOut_ = true;
    const Block& block = blocks_[released_ % kBlocks];
    return {{block.bytes, block.size}, block.marks, block.markCount};
}

bool ReadAhead::Failed() {
    const std::lock_guard lock(mutex_);
    return failed_ && filled_ == released_;
}

}  // namespace orbelquint
