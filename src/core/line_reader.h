#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace orbelquint {

// Reads text line by line in one forward pass, over bytes that are kept as they are. A line ends
// at CR LF, at a lone CR or at a lone LF; a last line without a line end is still a line, and a
// line end at the very end adds no empty line. Memory stays at one buffer plus the longest line
// that crosses a buffer boundary, whatever the size of the input.
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

    // True when reading the file failed before its end.
    bool Failed() const { return failed_; }

  private:
    bool Refill();
    void SkipLineFeedAfterCarriageReturn();

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::string_view unread_;
    std::string longLine_;
    bool lineFeedMayFollow_ = false;
    bool failed_ = false;
};

// Reads lines until one contains `lowerMarker` (without regard to case) and returns it; the empty
// text when the end comes first. The view follows the lifetime rule of LineReader::ReadLine.
std::string_view FindLine(std::string_view lowerMarker, LineReader& reader);

}  // namespace orbelquint
