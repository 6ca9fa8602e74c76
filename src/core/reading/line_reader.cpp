#include "core/reading/line_reader.h"

#include <sys/stat.h>

#include <algorithm>

#include "core/reading/uninitialized_array.h"
#include "core/text/text.h"

namespace orbelquint {
namespace {

constexpr std::size_t kUsualLineLength = 256;
// The stretch of the window whose marks are found at once: small enough for the marks to stay in
// the processor's nearest cache.
constexpr std::size_t kPieceSize = std::size_t{8} * 1024;

}  // namespace

LineReader::LineReader(std::FILE* file) : LineReader(std::string_view{}) {
    file_ = file;
    // Room for the usual line that crosses from one block into the next.
    longLine_.reserve(kUsualLineLength);
#if defined(ORBELQUINT_READS_AHEAD)
    // A large regular file is read ahead in a thread of its own; anything else, such as a pipe or a
    // timetable of a few kilobytes, in turn with the work. Starting and ending the thread costs
    // about half a millisecond, which files of a few megabytes do not win back.
    struct stat status {};
    if (fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::size_t>(status.st_size) > kReadAheadFrom) {
        readAhead_ = std::make_unique<ReadAhead>(fileno(file));
        return;
    }
#endif
    buffer_ = UninitializedArray<char>(kBufferSize);
}

LineReader::LineReader(std::string_view bytes)
    : window_(bytes.data()),
      windowSize_(bytes.size()),
      pieceMarks_(UninitializedArray<std::uint32_t>(MarkCapacity(kPieceSize))),
      marks_(pieceMarks_.get()) {}

bool LineReader::Refill() {
    if (file_ == nullptr || failed_) return false;
    // Taken before the read: the read overwrites the buffer, or hands the block back to the
    // reading thread, that the window's last byte lies in.
    const bool afterCarriageReturn = windowSize_ > 0 && window_[windowSize_ - 1] == '\r';
#if defined(ORBELQUINT_READS_AHEAD)
    if (readAhead_) {
        const ReadAhead::MarkedBlock block = readAhead_->Next();
        if (block.bytes.empty()) {
            failed_ = readAhead_->Failed();
            return false;
        }
        StartWindow(block.bytes, afterCarriageReturn);
        // The block comes marked as a whole.
        marks_ = block.marks;
        pieceEnd_ = windowSize_;
        markCount_ = block.markCount;
        return true;
    }
#endif
    const std::size_t count = std::fread(buffer_.get(), 1, kBufferSize, file_);
    if (count == 0) {
        failed_ = std::ferror(file_) != 0;
        return false;
    }
    StartWindow({buffer_.get(), count}, afterCarriageReturn);
    return true;
}

void LineReader::StartWindow(std::string_view bytes, bool afterCarriageReturn) {
    afterCarriageReturn_ = afterCarriageReturn;
    window_ = bytes.data();
    windowSize_ = bytes.size();
    position_ = 0;
    pieceStart_ = pieceEnd_ = 0;
    markCount_ = markNext_ = 0;
}

// A CR may end one buffer and its LF start the next; that LF is skipped when the next line is
// asked for.
void LineReader::SkipLineFeedAfterCarriageReturn() {
    if (!lineFeedMayFollow_) return;
    lineFeedMayFollow_ = false;
    if (position_ == windowSize_ && !Refill()) return;
    if (window_[position_] == '\n') ++position_;
}

bool LineReader::AtEndOfWindow() {
    SkipLineFeedAfterCarriageReturn();
    return position_ == windowSize_ && !Refill();
}

void LineReader::MarkNextPiece() {
    pieceStart_ = pieceEnd_;
    pieceEnd_ = pieceStart_ + std::min(kPieceSize, windowSize_ - pieceStart_);
    const bool afterCarriageReturn =
        pieceStart_ > 0 ? window_[pieceStart_ - 1] == '\r' : afterCarriageReturn_;
    markCount_ = FindLineMarks(FastestMarkScanner(), {window_ + pieceStart_, pieceEnd_ - pieceStart_},
                               afterCarriageReturn, pieceMarks_.get());
    markNext_ = 0;
}

// Position of the first line end from the read position on, or windowSize_; notes the '<' marks on
// the way.
std::size_t LineReader::NextLineEnd() {
    for (;;) {
        while (markNext_ < markCount_) {
            const std::size_t at = pieceStart_ + marks_[markNext_++];
            if (window_[at] != '<') return at;
            lineHasTag_ = true;
        }
        if (pieceEnd_ == windowSize_) return windowSize_;
        MarkNextPiece();
    }
}

std::string_view LineReader::ReadAnyLine() {
    lineSpansBuffers_ = false;
    lineHasTag_ = false;
    if (AtEnd()) return {};
    for (;;) {
        const std::size_t end = NextLineEnd();
        const std::string_view piece(window_ + position_, end - position_);
        if (end != windowSize_) {
            position_ = end + 1;
            if (window_[end] == '\r') {
                // The LF of a CR LF is skipped here, or when the next line is asked for if the CR
                // ends the buffer.
                if (position_ == windowSize_) {
                    lineFeedMayFollow_ = true;
                } else if (window_[position_] == '\n') {
                    ++position_;
                }
            }
            if (!lineSpansBuffers_) return piece;
            longLine_.append(piece);
            return longLine_;
        }
        if (!lineSpansBuffers_) longLine_.clear();
        lineSpansBuffers_ = true;
        position_ = windowSize_;
        if (longLine_.size() + piece.size() > kMaxLineLength) {
            failed_ = lineTooLong_ = true;
            longLine_.clear();
            return longLine_;
        }
        longLine_.append(piece);
        if (!Refill()) return longLine_;
    }
}

std::string_view FindLine(std::string_view lowerMarker, LineReader& reader) {
    while (!reader.AtEnd()) {
        const std::string_view line = reader.ReadLine();
        if (ContainsNoCase(line, lowerMarker)) return line;
    }
    return {};
}

}  // namespace orbelquint
