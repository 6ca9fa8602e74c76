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
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        // C1 control characters are the UTF-8 pairs C2 80 to C2 9F.
        const bool c1Control =
            byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) <= 0x9F;
        if (byte == '/' || byte == '\\' || byte < 0x20 || byte == 0x7F || c1Control) return false;
    }
    return !name.empty();
}

}  // namespace orbelquint
