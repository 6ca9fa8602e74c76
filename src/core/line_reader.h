#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace orbelquint {

// The longest line a file may hold: a timetable line is about a hundred bytes, a page line a few
// kilobytes. Longer lines mean a file that is no text, and reading stops there.
inline constexpr std::size_t kMaxLineLength = std::size_t{16} * 1024 * 1024;

// Reads text line by line in one forward pass, over bytes that are kept as they are. A line ends
// at CR LF, at a lone CR or at a lone LF; a last line without a line end is still a line, and a
// line end at the very end adds no empty line. Memory stays at one buffer plus the longest line
// that crosses a buffer boundary, and a line longer than kMaxLineLength ends the reading, whatever
// the input (a file without line ends, /dev/zero).
class LineReader {
  public:
    // Reads from a file that the caller has opened and closes.
    explicit LineReader(std::FILE* file);
    // Reads from bytes that outlive the reader.
    explicit LineReader(std::string_view bytes);

    // True when no line is left (or the file could not be read further).
    bool AtEnd();

    // The next line without its line end; the empty text past the end. The view stays valid until
    // the next call of ReadLine or AtEnd.
    std::string_view ReadLine();

    // True when the line last read holds a '<', which every tag begins with. Answered from the
    // position of the next '<', searched once for many lines, so that lesson lines cost no search
    // for "</pre>". Valid until the next call of ReadLine or AtEnd.
    bool LineHasTag();

    // True when reading the file failed before its end, or a line was too long.
    bool Failed() const { return failed_; }
    // True when reading stopped at a line longer than kMaxLineLength.
    bool LineTooLong() const { return lineTooLong_; }

  private:
    bool Refill();
    void SkipLineFeedAfterCarriageReturn();
    std::size_t NextLineEnd() const;

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    // The bytes in hand and how far they are read.
    const char* window_ = nullptr;
    std::size_t windowSize_ = 0;
    std::size_t position_ = 0;
    // Where the next '<' stands in the window (windowSize_ when there is none); searched again
    // only once reading has passed it.
    std::size_t tagAt_ = 0;
    bool tagSearched_ = false;
    // Where the line last read lies in the window, when it did not span buffers.
    std::size_t lineStart_ = 0;
    std::size_t lineEnd_ = 0;
    bool lineSpansBuffers_ = false;
    std::string longLine_;
    bool lineFeedMayFollow_ = false;
    bool failed_ = false;
    bool lineTooLong_ = false;
};

// Reads lines until one contains `lowerMarker` (without regard to case) and returns it; the empty
// text when the end comes first. The view follows the lifetime rule of LineReader::ReadLine.
std::string_view FindLine(std::string_view lowerMarker, LineReader& reader);

}  // namespace orbelquint
