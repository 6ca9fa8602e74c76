#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "core/reading/line_marks.h"
#include "core/reading/read_ahead.h"

namespace orbelquint {

// The longest line a file may hold: a timetable line is about a hundred bytes, a page line a few
// kilobytes. Longer lines mean a file that is no text, and reading stops there.
inline constexpr std::size_t kMaxLineLength = std::size_t{16} * 1024 * 1024;

// Reads text line by line in one forward pass, over bytes that are kept as they are. A line ends
// at CR LF, at a lone CR or at a lone LF; a last line without a line end is still a line, and a
// line end at the very end adds no empty line. Memory stays at a few buffers plus the longest
// line that crosses a buffer boundary, and a line longer than kMaxLineLength ends the reading,
// whatever the input (a file without line ends, /dev/zero).
class LineReader {
  public:
    // Bytes read from a file at a time.
    static constexpr std::size_t kBufferSize = std::size_t{64} * 1024;
    // Regular files larger than this are read ahead in a thread of their own, in blocks of
    // ReadAhead::kBlockSize.
    static constexpr std::size_t kReadAheadFrom = std::size_t{4} * 1024 * 1024;

    // Reads from a file that the caller has opened, not read from, and closes after the reader.
    explicit LineReader(std::FILE* file);
    // Reads from bytes that outlive the reader.
    explicit LineReader(std::string_view bytes);

    // True when no line is left (or the file could not be read further).
    bool AtEnd() { return position_ == windowSize_ && AtEndOfWindow(); }

    // The next line without its line end; the empty text past the end. The view stays valid until
    // the next call of ReadLine or AtEnd. Inline for the usual line, whose end is among the marks in
    // hand and not the last byte of the window.
    std::string_view ReadLine() {
        bool hasTag = false;
        for (std::size_t next = markNext_; next < markCount_; ++next) {
            const std::size_t at = pieceStart_ + marks_[next];
            if (at + 1 >= windowSize_) break;
            if (window_[at] == '<') {
                hasTag = true;
                continue;
            }
            markNext_ = next + 1;
            lineHasTag_ = hasTag;
            const std::size_t start = position_;
            position_ = at + 1 + static_cast<std::size_t>(window_[at] == '\r' && window_[at + 1] == '\n');
            return {window_ + start, at - start};
        }
        return ReadAnyLine();
    }

    // True when the line last read holds a '<', which every tag begins with, so that lesson lines
    // cost no search for "</pre>".
    bool LineHasTag() const { return lineHasTag_; }

    // True when reading the file failed before its end, or a line was too long.
    bool Failed() const { return failed_; }
    // True when reading stopped at a line longer than kMaxLineLength.
    bool LineTooLong() const { return lineTooLong_; }

  private:
    std::string_view ReadAnyLine();
    bool AtEndOfWindow();
    bool Refill();
    void StartWindow(std::string_view bytes, bool afterCarriageReturn);
    void SkipLineFeedAfterCarriageReturn();
    std::size_t NextLineEnd();
    void MarkNextPiece();

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
#if defined(ORBELQUINT_READS_AHEAD)
    std::unique_ptr<ReadAhead> readAhead_;  // instead of buffer_ for a large regular file
#endif
    // The bytes in hand and how far they are read.
    const char* window_ = nullptr;
    std::size_t windowSize_ = 0;
    std::size_t position_ = 0;
    // The line ends and '<' characters of one piece of the window, found for many lines at once,
    // so that reading a line costs no search of its own. Offsets count from pieceStart_; the marks
    // before markNext_ have been passed.
    std::unique_ptr<std::uint32_t[]> pieceMarks_;
    const std::uint32_t* marks_;  // pieceMarks_, or those of the block read ahead
    std::size_t pieceStart_ = 0;
    std::size_t pieceEnd_ = 0;
    std::size_t markCount_ = 0;
    std::size_t markNext_ = 0;
    bool lineHasTag_ = false;
    bool lineSpansBuffers_ = false;
    std::string longLine_;
    bool lineFeedMayFollow_ = false;
    bool afterCarriageReturn_ = false;  // the window read before the present one ended with a CR
    bool failed_ = false;
    bool lineTooLong_ = false;
};

// Reads lines until one contains `lowerMarker` (without regard to case) and returns it; the empty
// text when the end comes first. The view follows the lifetime rule of LineReader::ReadLine.
std::string_view FindLine(std::string_view lowerMarker, LineReader& reader);

}  // namespace orbelquint
