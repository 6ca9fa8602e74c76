#include "core/reading/text_encoding.h"

#include <array>
#include <cstdint>

namespace orbelquint {
namespace {

// Code points of the Windows-1252 bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool IsUtf8ContinuationByte(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[at]);
        std::size_t length = 0;
        // The allowed range of the second byte narrows for the leads that could start an overlong
        // form, a surrogate or a code point beyond U+10FFFF.
        std::uint8_t secondLow = 0x80;
        std::uint8_t secondHigh = 0xBF;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) secondLow = 0xA0;
            if (lead == 0xED) secondHigh = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) secondLow = 0x90;
            if (lead == 0xF4) secondHigh = 0x8F;
        } else {
            return false;
        }
        if (at + length > bytes.size()) return false;
        if (length > 1) {
            const auto second = static_cast<std::uint8_t>(bytes[at + 1]);
            if (second < secondLow || second > secondHigh) return false;
            for (std::size_t i = 2; i < length; ++i) {
                if (!IsUtf8ContinuationByte(static_cast<std::uint8_t>(bytes[at + i]))) return false;
            }
        }
        at += length;
    }
    return true;
}

std::string DataTextToUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        AppendUtf8(out, byte >= 0x80 && byte <= 0x9F ? kWindows1252High[byte - 0x80] : char32_t{byte});
    }
    return out;
}

}  // namespace orbelquint
