#include "core/reading/text_encoding.h"

#include <array>
#include <cstdint>
#include <optional>

#include "core/text/text.h"

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
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The named references a timetable may hold: markup's own, Latin-1's letters and signs (what
// Dutch, French and German need) and the common punctuation; others are kept as written.
struct NamedReference {
    std::string_view name;
    char32_t codePoint;
};
constexpr NamedReference kNamedReferences[] = {
    {"amp", '&'},       {"lt", '<'},       {"gt", '>'},       {"quot", '"'},      {"apos", '\''},
    {"nbsp", 0xA0},     {"iexcl", 0xA1},   {"cent", 0xA2},    {"pound", 0xA3},    {"curren", 0xA4},
    {"yen", 0xA5},      {"brvbar", 0xA6},  {"sect", 0xA7},    {"uml", 0xA8},      {"copy", 0xA9},
    {"ordf", 0xAA},     {"laquo", 0xAB},   {"not", 0xAC},     {"shy", 0xAD},      {"reg", 0xAE},
    {"macr", 0xAF},     {"deg", 0xB0},     {"plusmn", 0xB1},  {"sup2", 0xB2},     {"sup3", 0xB3},
    {"acute", 0xB4},    {"micro", 0xB5},   {"para", 0xB6},    {"middot", 0xB7},   {"cedil", 0xB8},
    {"sup1", 0xB9},     {"ordm", 0xBA},    {"raquo", 0xBB},   {"frac14", 0xBC},   {"frac12", 0xBD},
    {"frac34", 0xBE},   {"iquest", 0xBF},  {"Agrave", 0xC0},  {"Aacute", 0xC1},   {"Acirc", 0xC2},
    {"Atilde", 0xC3},   {"Auml", 0xC4},    {"Aring", 0xC5},   {"AElig", 0xC6},    {"Ccedil", 0xC7},
    {"Egrave", 0xC8},   {"Eacute", 0xC9},  {"Ecirc", 0xCA},   {"Euml", 0xCB},     {"Igrave", 0xCC},
    {"Iacute", 0xCD},   {"Icirc", 0xCE},   {"Iuml", 0xCF},    {"ETH", 0xD0},      {"Ntilde", 0xD1},
    {"Ograve", 0xD2},   {"Oacute", 0xD3},  {"Ocirc", 0xD4},   {"Otilde", 0xD5},   {"Ouml", 0xD6},
    {"times", 0xD7},    {"Oslash", 0xD8},  {"Ugrave", 0xD9},  {"Uacute", 0xDA},   {"Ucirc", 0xDB},
    {"Uuml", 0xDC},     {"Yacute", 0xDD},  {"THORN", 0xDE},   {"szlig", 0xDF},    {"agrave", 0xE0},
    {"aacute", 0xE1},   {"acirc", 0xE2},   {"atilde", 0xE3},  {"auml", 0xE4},     {"aring", 0xE5},
    {"aelig", 0xE6},    {"ccedil", 0xE7},  {"egrave", 0xE8},  {"eacute", 0xE9},   {"ecirc", 0xEA},
    {"euml", 0xEB},     {"igrave", 0xEC},  {"iacute", 0xED},  {"icirc", 0xEE},    {"iuml", 0xEF},
    {"eth", 0xF0},      {"ntilde", 0xF1},  {"ograve", 0xF2},  {"oacute", 0xF3},   {"ocirc", 0xF4},
    {"otilde", 0xF5},   {"ouml", 0xF6},    {"divide", 0xF7},  {"oslash", 0xF8},   {"ugrave", 0xF9},
    {"uacute", 0xFA},   {"ucirc", 0xFB},   {"uuml", 0xFC},    {"yacute", 0xFD},   {"thorn", 0xFE},
    {"yuml", 0xFF},     {"OElig", 0x152},  {"oelig", 0x153},  {"Scaron", 0x160},  {"scaron", 0x161},
    {"Yuml", 0x178},    {"ndash", 0x2013}, {"mdash", 0x2014}, {"lsquo", 0x2018},  {"rsquo", 0x2019},
    {"sbquo", 0x201A},  {"ldquo", 0x201C}, {"rdquo", 0x201D}, {"bdquo", 0x201E},  {"bull", 0x2022},
    {"hellip", 0x2026}, {"euro", 0x20AC},  {"trade", 0x2122}, {"thinsp", 0x2009}, {"ensp", 0x2002},
    {"emsp", 0x2003},
};

// The code point of the reference whose name or number `body` is (between & and ;); nullopt when
// it stands for none, or for one no text may hold (NUL, a surrogate, beyond U+10FFFF).
std::optional<char32_t> ReferencedCodePoint(std::string_view body) {
    if (body.size() > 1 && body[0] == '#') {
        const bool hex = body[1] == 'x' || body[1] == 'X';
        const std::string_view digits = body.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        char32_t value = 0;
        for (const char c : digits) {
            int digit = -1;
            if (IsDigit(c))
                digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0) return std::nullopt;
            value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
        }
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
        return value;
    }
    for (const NamedReference& reference : kNamedReferences) {
        if (reference.name == body) return reference.codePoint;
    }
    return std::nullopt;
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

std::string ReadableText(std::string_view html) {
    constexpr std::size_t kLongestReference = 10;  // &#x10FFFF; and the longest name
    std::string text;
    text.reserve(html.size());
    for (std::size_t at = 0; at < html.size();) {
        const char c = html[at];
        const char next = at + 1 < html.size() ? html[at + 1] : ' ';
        const bool letter = (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z');
        if (c == '<' && (letter || next == '/' || next == '!' || next == '?')) {
            // A tag (or comment) is left out up to its end, an unclosed one to the end of the text;
            // a '<' that begins none ("1 < 2") is text, as a browser shows it.
            const std::size_t end = html.find('>', at);
            at = end == std::string_view::npos ? html.size() : end + 1;
            continue;
        }
        if (c == '&') {
            const std::size_t end = html.find(';', at);
            if (end != std::string_view::npos && end - at <= kLongestReference) {
                if (const auto codePoint = ReferencedCodePoint(html.substr(at + 1, end - at - 1))) {
                    AppendUtf8(text, *codePoint);
                    at = end + 1;
                    continue;
                }
            }
        }
        text += c;
        ++at;
    }
    return text;
}

}  // namespace orbelquint
