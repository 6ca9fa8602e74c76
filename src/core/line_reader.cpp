#include "core/line_reader.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/text.h"

namespace orbelquint {
namespace {

constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

}  // namespace

LineReader::LineReader(std::FILE* file) : file_(file), buffer_(new char[kBufferSize]) {}

LineReader::LineReader(std::string_view bytes) : window_(bytes.data()), windowSize_(bytes.size()) {}

bool LineReader::Refill() {
    if (file_ == nullptr || failed_) return false;
    const std::size_t count = std::fread(buffer_.get(), 1, kBufferSize, file_);
    if (count == 0) {
        failed_ = std::ferror(file_) != 0;
        return false;
    }
    window_ = buffer_.get();
    windowSize_ = count;
    position_ = 0;
    tagSearched_ = false;
    return true;
}

// A CR may end one buffer and its LF start the next; that LF is skipped when the next line is
// asked for.
void LineReader::SkipLineFeedAfterCarriageReturn() {
    if (!lineFeedMayFollow_) return;
    lineFeedMayFollow_ = false;
    if (position_ == windowSize_ && !Refill()) return;
    if (window_[position_] == '\n') ++position_;
}

bool LineReader::AtEnd() {
    SkipLineFeedAfterCarriageReturn();
    return position_ == windowSize_ && !Refill();
}

// Position of the first CR or LF from the read position on, or windowSize_. Every byte must be
// looked at and lines are short, so the search takes sixteen bytes at a time where it can.
std::size_t LineReader::NextLineEnd() const {
    std::size_t at = position_;
#if defined(__SSE2__)
    const __m128i carriageReturn = _mm_set1_epi8('\r');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    for (; at + 16 <= windowSize_; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(window_ + at));
        const int ends = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, carriageReturn), _mm_cmpeq_epi8(bytes, lineFeed)));
        if (ends != 0) return at + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(ends)));
    }
#endif
    while (at < windowSize_ && window_[at] != '\r' && window_[at] != '\n') {
        ++at;
    }
    return at;
}

std::string_view LineReader::ReadLine() {
    lineSpansBuffers_ = false;
    lineStart_ = lineEnd_ = position_;
    if (AtEnd()) return {};
    lineStart_ = position_;
    for (;;) {
        const std::size_t end = NextLineEnd();
        const std::string_view piece(window_ + position_, end - position_);
        if (end != windowSize_) {
            lineEnd_ = end;
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

bool LineReader::LineHasTag() {
    if (lineSpansBuffers_) return longLine_.find('<') != std::string::npos;
    if (!tagSearched_ || tagAt_ < lineStart_) {
        const void* at = std::memchr(window_ + lineStart_, '<', windowSize_ - lineStart_);
        tagAt_ =
            at == nullptr ? windowSize_ : static_cast<std::size_t>(static_cast<const char*>(at) - window_);
        tagSearched_ = true;
    }
    return tagAt_ < lineEnd_;
}

std::string_view FindLine(std::string_view lowerMarker, LineReader& reader) {
    while (!reader.AtEnd()) {
        const std::string_view line = reader.ReadLine();
        if (ContainsNoCase(line, lowerMarker)) return line;
    }
    return {};
}

}  // namespace orbelquint
