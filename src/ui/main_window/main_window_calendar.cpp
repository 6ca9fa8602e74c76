// The school year as a calendar: the dialog, the bell times and free days it remembers, and the
// export on a thread of its own.
#include <QDateTime>
#include <QLabel>
#include <QLoggingCategory>

#include "core/files/atomic_file.h"
#include "core/files/settings_file.h"
#include "core/timetable/report_texts.h"
#include "core/views/calendar_export.h"
#include "ui/calendar_dates.h"
#include "ui/calendar_export/calendar_dialog.h"
#include "ui/logging.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/refusals.h"
#include "ui/path_text.h"
#include "ui/widgets/work_progress.h"

namespace orbelquint {

void Main::btnCalendar_Click() {
    if (DataFileName().empty()) return Refuse("Kies eerst een gegevensbestand.");
    const WeekPageRequest request = Request();
    const CalendarChoice start{
        SchoolYearOf(ToCalendarDate(environment_.today())), RememberedSchoolTimes(),
        environment_.paths.saveFolder /
            CalendarFileName(lbRichting->text().toStdString(), request.FilteredSeries())};
    CalendarDialog dialog(this, start, environment_.saveDialog);
    if (dialog.exec() != QDialog::Accepted) return;
    const CalendarChoice& choice = *dialog.Choice();
    QString note;
    if (settingsKept_ && !SaveBellTimesFile(environment_.paths.BellTimesFile(), choice.times)) {
        note = QString(
                   " Het beltijdenbestand \"%1\" kan niet worden geschreven; de beltijden worden niet "
                   "onthouden.")
                   .arg(PathText(environment_.paths.BellTimesFile()));
        qCWarning(lcOrbelquint).noquote() << note.trimmed();
    }
    WriteCalendar(choice, note);
}

// The bell times and free days of the last export, kept where the settings are; the default
// table when there are none, or when they cannot be read, which the bottom line then says.
SchoolTimes Main::RememberedSchoolTimes() {
    const std::filesystem::path file = environment_.paths.BellTimesFile();
    std::error_code missing;
    if (!settingsKept_ || !std::filesystem::exists(file, missing)) return {DefaultBellTimes(), {}};
    auto read = ReadBellTimesFile(file);
    if (const auto* problem = std::get_if<std::string>(&read)) {
        ShowStatus(QString::fromStdString(*problem) + " De standaard beltijden worden gebruikt.");
        return {DefaultBellTimes(), {}};
    }
    return std::get<SchoolTimes>(std::move(read));
}

// Writes the calendar of `choice` and says in the bottom line where it went, followed by `note`.
void Main::WriteCalendar(const CalendarChoice& choice, const QString& note) {
    const auto pageInputs = Inputs();
    std::vector<std::filesystem::path> inputs(pageInputs.begin(), pageInputs.end());
    inputs.push_back(environment_.paths.BellTimesFile());
    if (Refuses(OverwriteRefusal(choice.file, inputs))) return;
    CalendarRequest request;
    request.page = Request();
    request.from = choice.range.first;
    request.to = choice.range.last;
    request.bellTimes = choice.times.bellTimes;
    request.freeDays = choice.times.freeDays;
    request.stamp = QDateTime::currentSecsSinceEpoch();
    std::string ics;
    CalendarResult result;
    const bool whole = RunWithProgress(
        this, "De agenda wordt gemaakt", "week", environment_.progressAfter, [this] { return !ended_; },
        [&request, &result, &ics](const WorkProgress& progress) {
            request.goOn = [&progress](std::size_t read, std::size_t needed) {
                return progress(static_cast<int>(read), static_cast<int>(needed));
            };
            result = BuildCalendar(request, ics);
        });
    if (!whole || result.stopped) return;
    if (result.page.status != BuildStatus::Complete)
        return Refuse(QString::fromStdString(result.page.message));
    AtomicFile file(choice.file, SpecialFiles::Refuse);
    file.Stream().write(ics.data(), static_cast<std::streamsize>(ics.size()));
    if (!file.Commit())
        return Refuse(QString("De agenda kan niet worden opgeslagen als \"%1\".").arg(PathText(choice.file)));
    ShowStatus(QString("Agenda opgeslagen als \"%1\": %2%3")
                   .arg(PathText(choice.file))
                   .arg(QString::fromStdString(CalendarReportText(result.report)))
                   .arg(note),
               PathText(choice.file));
}

}  // namespace orbelquint
