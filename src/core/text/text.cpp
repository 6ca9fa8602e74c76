#include "core/text/text.h"

#include <algorithm>
#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orbelquint {
namespace {

// Every byte with ASCII letters in lower case, looked up rather than compared: searches check
// many characters.
constexpr auto kAsciiLower = [] {
    std::array<char, 256> lower{};
    for (std::size_t c = 0; c < lower.size(); ++c)
        lower[c] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower;
}();

char AsciiLower(char c) {
    return kAsciiLower[static_cast<unsigned char>(c)];
}

// Whether the text at `at` continues with the marker's characters after the first.
bool MatchesAt(const char* at, std::string_view lowerMarker) {
    std::size_t i = 1;
    while (i < lowerMarker.size() && AsciiLower(at[i]) == lowerMarker[i])
        ++i;
    return i == lowerMarker.size();
}

#if defined(__SSE2__)
// Which of the sixteen bytes from `bytes` on equal `lower` in either case.
__m128i EqualsNoCase(const char* bytes, char lower) {
    const char upper = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 'a' + 'A') : lower;
    const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    return _mm_or_si128(_mm_cmpeq_epi8(sixteen, _mm_set1_epi8(lower)),
                        _mm_cmpeq_epi8(sixteen, _mm_set1_epi8(upper)));
}
#endif

}  // namespace

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::size_t FindNoCase(std::string_view text, std::string_view lowerMarker) {
    if (lowerMarker.empty()) return 0;
    if (text.size() < lowerMarker.size()) return std::string_view::npos;
    const std::size_t lastStart = text.size() - lowerMarker.size();
#if defined(__SSE2__)
    // Sixteen starts at a time are tried on the marker's first two characters, the last sixteen
    // overlapping those before: the texts are mostly lines of a few dozen bytes, searched several
    // times each, and two characters rule out nearly every wrong start.
    constexpr std::size_t kStarts = 16;           // the starts one 128-bit comparison tries
    constexpr std::size_t kLooked = kStarts + 1;  // the bytes it reads for two characters each
    if (lowerMarker.size() >= 2 && text.size() >= kLooked) {
        const char* const bytes = text.data();
        for (std::size_t block = 0;; block += kStarts) {
            const std::size_t start = std::min(block, text.size() - kLooked);
            const __m128i firsts = EqualsNoCase(bytes + start, lowerMarker[0]);
            const __m128i seconds = EqualsNoCase(bytes + start + 1, lowerMarker[1]);
            // Without the starts an overlapping last block shares with the one before.
            for (unsigned candidates =
                     static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(firsts, seconds))) &
                     ~0U << (block - start);
                 candidates != 0; candidates &= candidates - 1) {
                const std::size_t at = start + static_cast<std::size_t>(std::countr_zero(candidates));
                if (at > lastStart) return std::string_view::npos;
                if (MatchesAt(bytes + at, lowerMarker)) return at;
            }
            if (start + kLooked == text.size()) return std::string_view::npos;
        }
    }
#endif
    for (std::size_t at = 0; at <= lastStart; ++at) {
        if (AsciiLower(text[at]) == lowerMarker.front() && MatchesAt(text.data() + at, lowerMarker))
            return at;
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
