#include "ui/calendar_export/calendar_choice.h"

#include "core/text/number_text.h"
#include "core/text/text.h"
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
    // Each cell is read as a cell, so that nothing typed in one is read as the file's syntax.
    SchoolTimes times{{}, freeDays};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string hour = rows[row].hour.toStdString();
        const std::string start = rows[row].start.toStdString();
        const std::string end = rows[row].end.toStdString();
        if (IsBlank(hour) && IsBlank(start) && IsBlank(end)) continue;
        auto read = ReadBellTime(hour, start, end);
        std::optional<std::string> problem;
        if (auto* why = std::get_if<std::string>(&read))
            problem = std::move(*why);
        else
            problem = AddBellTime(times.bellTimes, std::get<std::pair<int, LessonTimes>>(read));
        if (problem) return BellTimesProblem{row + 1, std::move(*problem)};
    }
    return times;
}

std::filesystem::path CalendarFileName(std::string_view heading, std::optional<double> series) {
    std::string name(heading);
    if (series) name += " - reeks " + NumberText(*series);
    name += ".ics";
    if (heading.empty() || !IsPlainFileName(name) || name.size() > kMaxFileNameBytes) return "agenda.ics";
    return name;
}

}  // namespace orbelquint
