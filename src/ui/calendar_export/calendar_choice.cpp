#include "ui/calendar_export/calendar_choice.h"

#include "core/text/number_text.h"
#include "core/timetable/report_texts.h"

namespace orbelquint {
namespace {

QString ClockText(int minutes) {
    return QString("%1:%2").arg(minutes / 60, 2, 10, QChar('0')).arg(minutes % 60, 2, 10, QChar('0'));
}

}  // namespace

std::vector<BellRow> BellRowsOf(const BellTimes& times) {
    std::vector<BellRow> rows;
    for (const auto& [hour, lesson] : times)
        rows.push_back({QString::number(hour), ClockText(lesson.start), ClockText(lesson.end)});
    return rows;
}

std::variant<SchoolTimes, BellTimesProblem> SchoolTimesOfRows(const std::vector<BellRow>& rows,
                                                              const std::vector<DateRange>& freeDays) {
    // A row is a line of the file, so that a problem's line is its row; a blank line is passed over.
    std::string text;
    for (const BellRow& row : rows) {
        const QString line = row.hour.trimmed() + " " + row.start.trimmed() + "-" + row.end.trimmed();
        text += (line == " -" ? QString() : line).toStdString() + "\n";
    }
    auto read = ReadBellTimes(text);
    if (auto* times = std::get_if<SchoolTimes>(&read)) times->freeDays = freeDays;
    return read;
}

std::filesystem::path CalendarFileName(std::string_view heading, std::optional<double> series) {
    std::string name(heading);
    if (series) name += " - reeks " + NumberText(*series);
    name += ".ics";
    if (heading.empty() || !IsPlainFileName(name) || name.size() > kMaxFileNameBytes) return "agenda.ics";
    return name;
}

}  // namespace orbelquint
