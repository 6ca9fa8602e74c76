#include "ui/main_window/refusals.h"

#include <string>

#include "core/files/output_guard.h"
#include "core/timetable/report_texts.h"
#include "ui/path_text.h"

namespace orbelquint {

std::optional<QString> PageRefusal(const WeekPageSession& page, std::int16_t week, const char* use) {
    if (!page.Exists())
        return QString("Er is nog geen weekpagina %1. Kies eerst een gegevensbestand.").arg(use);
    if (!page.IsCurrent()) {
        return QString(
                   "De weekpagina van week %1 kon niet worden gemaakt (zie de melding bij het "
                   "gegevensbestand); er is geen weekpagina %2.")
            .arg(week)
            .arg(use);
    }
    return std::nullopt;
}

std::optional<QString> CopyRefusal(const WeekPageSession& page, std::int16_t week, std::string_view name) {
    if (page.InMemory()) {
        return QString("De weekpagina kan niet worden opgeslagen: in de map %1 kan niets worden geschreven.")
            .arg(PathText(page.File().parent_path()));
    }
    if (auto refusal = PageRefusal(page, week, "op te slaan")) return refusal;
    if (name.size() > kMaxFileNameBytes) {
        return QString(
                   "De weekpagina kan niet worden opgeslagen: de naam is te lang voor een bestand "
                   "(%1 bytes, hoogstens %2). Kort de kop van het gegevensbestand in.")
            .arg(name.size())
            .arg(kMaxFileNameBytes);
    }
    if (!IsPlainFileName(name)) {
        return QString(
                   "De weekpagina kan niet worden opgeslagen als \"%1\": de kop van het "
                   "gegevensbestand bevat een schuine streep of een stuurteken.")
            .arg(QString::fromStdString(WithVisibleControls(name)));
    }
    return std::nullopt;
}

std::optional<QString> OverwriteRefusal(const std::filesystem::path& target,
                                        std::span<const std::filesystem::path> inputs) {
    if (!InputNamedBy(target, inputs)) return std::nullopt;
    return QString("\"%1\" is een bestand waaruit de weekpagina gemaakt wordt; er is niets opgeslagen.")
        .arg(PathText(target));
}

}  // namespace orbelquint
