#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <version>

#include "core/reading/line_marks.h"

// Reading ahead takes a thread (std::jthread). Where the standard library has none, as libc++ 14
// of the web build, whose core runs on a worker thread of the browser's anyway, every file is read
// in turn with the work.
#if defined(__cpp_lib_jthread)
#define ORBELQUINT_READS_AHEAD 1

namespace orbelquint {

// Reads a regular file block by block in a thread of its own, a few blocks ahead of its user, and
// finds the marks of each block there, so that the kernel's copying and the marking of the next
// blocks overlap with the work on the current one. Memory stays at a few blocks whatever the
// file's size. Only for regular files: reading them never blocks for long, so the thread always
// finishes or stops when asked.
class ReadAhead {
  public:
    static constexpr std::size_t kBlockSize = std::size_t{256} * 1024;

    // Reads from the descriptor's current offset; the descriptor must stay open while the reader
    // lives, and nothing else may read from it.
    explicit ReadAhead(int descriptor);
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // A block of the file with the offsets of its line ends and '<' characters (FindLineMarks).
    struct MarkedBlock {
        std::string_view bytes;
        const std::uint32_t* marks = nullptr;
        std::size_t markCount = 0;
    };

    // The next block of the file, valid until the next call; no bytes at the end of the file or
    // after a failed read.
    MarkedBlock Next();

    // True when a read failed before the end of the file; the blocks before it were handed out.
    bool Failed();

  private:
    static constexpr std::size_t kBlocks = 4;

    char* BytesOf(std::size_t block) const { return bytes_.get() + block % kBlocks * kBlockSize; }
    std::uint32_t* MarksOf(std::size_t block) const {
        return marks_.get() + block % kBlocks * MarkCapacity(kBlockSize);
    }
    void Run(const std::stop_token& stop);

    std::mutex mutex_;
    std::condition_variable_any changed_;
    // The bytes and the marks of all blocks, each in one allocation. Blocks are filled and handed
    // out in turn; block n takes place n % kBlocks.
    std::unique_ptr<char[]> bytes_;
    std::unique_ptr<std::uint32_t[]> marks_;
    std::array<std::size_t, kBlocks> sizes_{};
    std::array<std::size_t, kBlocks> markCounts_{};
    std::size_t filled_ = 0;
    std::size_t released_ = 0;
    bool handedOut_ = false;
    bool ended_ = false;
    bool failed_ = false;
    int descriptor_;
    // Last: it starts once everything above is ready, and is stopped and joined first.
    std::jthread thread_;
};

}  // namespace orbelquint

#endif
