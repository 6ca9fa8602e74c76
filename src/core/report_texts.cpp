#include "core/report_texts.h"

#include "core/number_text.h"

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
        const std::size_t length = ControlCharacterLength(text, i);
        const auto code =
            length == 2 ? static_cast<unsigned char>(text[i + 1]) : static_cast<unsigned char>(text[i]);
        if (length == 0) {
            visible += text[i];
            continue;
        }
        visible += length == 2 ? "\\u00" : "\\x";
        visible += kHex[code >> 4];
        visible += kHex[code & 0xF];
        i += length - 1;
    }
    return visible;
}

}  // namespace orbelquint
