#include "core/text.h"

#include <algorithm>
#include <cstring>

namespace orbelquint {
namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
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
    const char upper = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 'a' + 'A') : lower;
    const char* const begin = text.data();
    const char* const end = begin + (text.size() - lowerMarker.size() + 1);  // past the last start
    // Candidates for the first character come from memchr, in either case.
    const auto next = [end](const char* from, char c) {
        const void* at = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return at == nullptr ? end : static_cast<const char*>(at);
    };
    const char* lowerAt = next(begin, lower);
    const char* upperAt = upper == lower ? end : next(begin, upper);
    while (lowerAt != end || upperAt != end) {
        const char* at = std::min(lowerAt, upperAt);
        std::size_t i = 1;
        while (i < lowerMarker.size() && AsciiLower(at[i]) == lowerMarker[i])
            ++i;
        if (i == lowerMarker.size()) return static_cast<std::size_t>(at - begin);
        if (at == lowerAt) lowerAt = next(at + 1, lower);
        if (at == upperAt) upperAt = next(at + 1, upper);
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
