#include "core/report_texts.h"

#include "core/number_text.h"

namespace orbelquint {

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
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) return false;
    }
    return !name.empty();
}

}  // namespace orbelquint
