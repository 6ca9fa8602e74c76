#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace orbelquint {

// True for the ASCII digits 0 to 9, whatever the locale.
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text without leading and trailing blanks; a blank is the space character only.
std::string_view Trim(std::string_view text);

// True when the text holds nothing but blanks (or nothing at all).
inline bool IsBlank(std::string_view text) {
    // Eight at a time first: continuation lines of a timetable begin with a long run of blanks.
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
    std::size_t at = 0;
    for (; text.size() - at >= 8; at += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, text.data() + at, 8);
        if (eight != kEightBlanks) return false;
    }
    for (; at < text.size(); ++at) {
        if (text[at] != ' ') return false;
    }
    return true;
}

// Position of the first occurrence of `lowerMarker` in `text`, comparing ASCII letters without
// regard to case; `lowerMarker` must be lower case. npos when absent.
std::size_t FindNoCase(std::string_view text, std::string_view lowerMarker);

inline bool ContainsNoCase(std::string_view text, std::string_view lowerMarker) {
    return FindNoCase(text, lowerMarker) != std::string_view::npos;
}

// The text after the first `lowerMarker`; empty when the marker is absent.
std::string_view AfterNoCase(std::string_view text, std::string_view lowerMarker);

// The text before the first `lowerMarker`; the whole text when the marker is absent.
std::string_view BeforeNoCase(std::string_view text, std::string_view lowerMarker);

// `count` characters from the 1-based `column` on, fewer where the text ends earlier.
inline std::string_view Columns(std::string_view text, std::size_t column, std::size_t count) {
    return column - 1 < text.size() ? text.substr(column - 1, count) : std::string_view{};
}

// The last `count` characters, or the whole text when it is shorter.
inline std::string_view LastCharacters(std::string_view text, std::size_t count) {
    return text.size() > count ? text.substr(text.size() - count) : text;
}

}  // namespace orbelquint
