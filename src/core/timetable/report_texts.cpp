#include "core/timetable/report_texts.h"

#include "core/text/float_text.h"
#include "core/text/number_text.h"

namespace orbelquint {
namespace {

// Length of the control character at `at` in UTF-8 text: 1 for C0 and DEL, 2 for the C1 controls
// (the pairs C2 80 to C2 9F), 0 for anything else.
std::size_t ControlCharacterLength(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7F) return 1;
    if (byte != 0xC2 || at + 1 == text.size()) return 0;
    const auto next = static_cast<unsigned char>(text[at + 1]);
    return next >= 0x80 && next <= 0x9F ? 2 : 0;
}

// Length of the direction control at `at` in UTF-8 text, which reorders the text around it so that
// one name reads as another: U+061C, U+200E, U+200F, U+202A to U+202E and U+2066 to U+2069. 0 for
// anything else.
std::size_t DirectionControlLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) -> unsigned {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0U;
    };
    if (byte(0) == 0xD8 && byte(1) == 0x9C) return 2;
    if (byte(0) != 0xE2) return 0;
    const unsigned last = byte(2);
    if (byte(1) == 0x80) return last == 0x8E || last == 0x8F || (last >= 0xAA && last <= 0xAE) ? 3 : 0;
    if (byte(1) == 0x81) return last >= 0xA6 && last <= 0xA9 ? 3 : 0;
    return 0;
}

// The code point of the UTF-8 character of `length` bytes at `at`.
unsigned CodePoint(std::string_view text, std::size_t at, std::size_t length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (length == 1) return byte(0);
    if (length == 2) return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
}

}  // namespace

std::string InfoText(const WeekPageReport& report) {
    return "Dit gegevens bestand gaat van week" + Str(report.minWeek) + " tot week" + Str(report.maxWeek);
}

std::string FirstChangeText(const WeekPageReport& report) {
    if (report.firstChange == kNoChange) return {};
    return "De eerste verandering in dit orbelquint is voor week" + Str(report.firstChange);
}

std::string SaveName(std::string_view heading, std::int16_t week) {
    return std::string(heading) + " - week" + std::to_string(week) + ".html";
}

bool IsPlainFileName(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '/' || name[i] == '\\' || ControlCharacterLength(name, i) > 0) return false;
    }
    return !name.empty();
}

std::string WithVisibleControls(std::string_view text) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string visible;
    visible.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t length = ControlCharacterLength(text, i);
        if (length == 0) length = DirectionControlLength(text, i);
        if (length == 0) {
            visible += text[i];
            continue;
        }
        const unsigned code = CodePoint(text, i, length);
        visible += length == 1 ? "\\x" : "\\u";
        for (int shift = length == 1 ? 4 : 12; shift >= 0; shift -= 4)
            visible += kHex[code >> shift & 0xF];
        i += length - 1;
    }
    return visible;
}

std::string CalendarFileName(std::string_view heading, std::optional<double> series) {
    std::string name(heading);
    if (series) name += " - reeks " + NumberText(*series);
    name += ".ics";
    if (heading.empty() || !IsPlainFileName(name) || name.size() > kMaxFileNameBytes) return "agenda.ics";
    return name;
}

}  // namespace orbelquint
