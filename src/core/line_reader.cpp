#include "core/line_reader.h"

#include <algorithm>

#include "core/text.h"

namespace orbelquint {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

LineReader::LineReader(std::FILE* file) : file_(file), buffer_(new char[kBufferSize]) {}

LineReader::LineReader(std::string_view bytes) : unread_(bytes) {}

bool LineReader::Refill() {
    if (file_ == nullptr || failed_) return false;
    const std::size_t count = std::fread(buffer_.get(), 1, kBufferSize, file_);
    if (count == 0) {
        failed_ = std::ferror(file_) != 0;
        return false;
    }
    unread_ = std::string_view(buffer_.get(), count);
    return true;
}

// A CR may end one buffer and its LF start the next, so the LF is skipped when the next line is
// asked for rather than when the CR is met.
void LineReader::SkipLineFeedAfterCarriageReturn() {
    if (!lineFeedMayFollow_) return;
    lineFeedMayFollow_ = false;
    if (unread_.empty() && !Refill()) return;
    if (unread_.front() == '\n') unread_.remove_prefix(1);
}

bool LineReader::AtEnd() {
    SkipLineFeedAfterCarriageReturn();
    return unread_.empty() && !Refill();
}

std::string_view LineReader::ReadLine() {
    if (AtEnd()) return {};
    bool spansBuffers = false;
    for (;;) {
        const auto end = std::find_if(unread_.begin(), unread_.end(), IsLineEnd);
        if (end != unread_.end()) {
            const std::string_view piece(unread_.data(), static_cast<std::size_t>(end - unread_.begin()));
            lineFeedMayFollow_ = *end == '\r';
            unread_.remove_prefix(piece.size() + 1);
            if (!spansBuffers) return piece;
            longLine_.append(piece);
            return longLine_;
        }
        if (!spansBuffers) longLine_.clear();
        spansBuffers = true;
        longLine_.append(unread_);
        unread_ = {};
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
