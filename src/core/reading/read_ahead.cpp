#include "core/reading/read_ahead.h"

#include <unistd.h>

#include <cerrno>

#include "core/reading/uninitialized_array.h"

#if defined(ORBELQUINT_READS_AHEAD)

namespace orbelquint {

ReadAhead::ReadAhead(int descriptor)
    : bytes_(UninitializedArray<char>(kBlocks * kBlockSize)),
      marks_(UninitializedArray<std::uint32_t>(kBlocks * MarkCapacity(kBlockSize))),
      descriptor_(descriptor),
      thread_([this](const std::stop_token& stop) { Run(stop); }) {}

void ReadAhead::Run(const std::stop_token& stop) {
    const MarkScanner scanner = FastestMarkScanner();
    bool afterCarriageReturn = false;
    for (std::size_t next = 0;; ++next) {
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
            count = read(descriptor_, BytesOf(next), kBlockSize);
        } while (count < 0 && errno == EINTR);
        std::size_t markCount = 0;
        if (count > 0) {
            const std::string_view bytes(BytesOf(next), static_cast<std::size_t>(count));
            markCount = FindLineMarks(scanner, bytes, afterCarriageReturn, MarksOf(next));
            afterCarriageReturn = bytes.back() == '\r';
        }
        {
            const std::lock_guard lock(mutex_);
            if (count <= 0) {
                ended_ = true;
                failed_ = count < 0;
            } else {
                sizes_[next % kBlocks] = static_cast<std::size_t>(count);
                markCounts_[next % kBlocks] = markCount;
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
    return {{BytesOf(released_), sizes_[released_ % kBlocks]},
            MarksOf(released_),
            markCounts_[released_ % kBlocks]};
}

bool ReadAhead::Failed() {
    const std::lock_guard lock(mutex_);
    return failed_ && filled_ == released_;
}

}  // namespace orbelquint

#endif
