#include "core/text.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orbelquint {
namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the text at `at` continues with the marker's characters after the first.
bool MatchesAt(const char* at, std::string_view lowerMarker) {
    std::size_t i = 1;
    while (i < lowerMarker.size() && AsciiLower(at[i]) == lowerMarker[i])
        ++i;
    return i == lowerMarker.size();
}

}  // namespace

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::size_t FindNoCase(std::string_view text, std::string_view lowerMarker) {
    if (lowerMarker.empty()) return 0;
    if (text.size() < lowerMarker.size()) return std::string_view::npos;
    const char lower = lowerMarker.front();
    const std::size_t lastStart = text.size() - lowerMarker.size();
    std::size_t at = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time are compared with the first character in either case, inline: the
    // texts are mostly short lines, searched several times each.
    const char upper = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 'a' + 'A') : lower;
    const __m128i lowers = _mm_set1_epi8(lower);
    const __m128i uppers = _mm_set1_epi8(upper);
    for (; text.size() - at >= 16; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        auto candidates = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, lowers), _mm_cmpeq_epi8(bytes, uppers))));
        for (; candidates != 0; candidates &= candidates - 1) {
            const std::size_t start = at + static_cast<std::size_t>(std::countr_zero(candidates));
            if (start > lastStart) return std::string_view::npos;
            if (MatchesAt(text.data() + start, lowerMarker)) return start;
        }
    }
#endif
    for (; at <= lastStart; ++at) {
        if (AsciiLower(text[at]) == lower && MatchesAt(text.data() + at, lowerMarker)) return at;
    }
    return std::string_view::npos;
}

std::string_view AfterNoCase(std::string_view text, std::string_view lowerMarker) {
    const std::size_t at = FindNoCase(text, lowerMarker);
    return at == std::string_view::npos ? std::string_view{} : text.substr(at + lowerMarker.size());
}

std::string_view BeforeNoCase(std::string_view text, std::string_view lowerMarker) {
    return text.substr(0, FindNoCase(text, lowerMarker));
}

}  // namespace orbelquint
