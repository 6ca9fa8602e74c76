#include "core/text.h"

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
    const char first = lowerMarker.front();
    const std::size_t last = text.size() - lowerMarker.size();
    for (std::size_t at = 0; at <= last; ++at) {
        if (AsciiLower(text[at]) != first) continue;
        std::size_t i = 1;
        while (i < lowerMarker.size() && AsciiLower(text[at + i]) == lowerMarker[i])
            ++i;
        if (i == lowerMarker.size()) return at;
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

std::string_view Columns(std::string_view text, std::size_t column, std::size_t count) {
    return column - 1 < text.size() ? text.substr(column - 1, count) : std::string_view{};
}

std::string_view LastCharacters(std::string_view text, std::size_t count) {
    return text.size() > count ? text.substr(text.size() - count) : text;
}

}  // namespace orbelquint
