#include "ui/viewer/week_grid_view.h"

#include <QHeaderView>
#include <QTextDocumentFragment>
#include <QTimer>

#include "core/views/grid_page.h"
#include "core/views/week_grid.h"
#include "ui/mark_colours.h"
#include "ui/page_decoding.h"
#include "ui/viewer/lesson_marks.h"
#include "ui/viewer/rich_text_cells.h"

namespace orbelquint {

WeekGridView::WeekGridView(QWidget* parent) : QTableWidget(parent) {
    setItemDelegate(new RichTextCells(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // A day is never narrower than a short lesson line; narrower windows scroll sideways.
    horizontalHeader()->setMinimumSectionSize(fontMetrics().averageCharWidth() * 14);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // A cell's height follows its width: when the days are resized (with the window, or by a
    // scroll bar that comes or goes), the rows are measured again once the widths have settled.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &WeekGridView::RemeasureSoon);
}

void WeekGridView::ShowWeekPage(const QByteArray& page, int week, std::optional<int> marksWeek) {
    const WeekGrid grid =
        GridOfWeekPage(std::string_view(page.constData(), static_cast<std::size_t>(page.size())), week);
    const PageTextDecoder decode(page);
    const ChangeMarks marks = marksWeek ? LessonChangeMarks(MarkColoursOf(palette())) : ChangeMarks{};
    // No week has this many days: a page that has more is no real timetable, and its grid is not
    // laid out beyond them (the list shows the whole page).
    constexpr std::size_t kShownDays = 60;
    const std::size_t shownDays = std::min(grid.days.size(), kShownDays);
    clear();
    setColumnCount(static_cast<int>(shownDays));
    setRowCount(static_cast<int>(grid.hours.size()));
    QStringList days;
    for (std::size_t day = 0; day < shownDays; ++day)
        days << decode(grid.days[day]).trimmed();
    if (grid.days.size() > shownDays)
        days.back() += QString(" (en nog %1 dagen: zie de lijst)").arg(grid.days.size() - shownDays);
    if (grid.lessonsLeftOut > 0 && !days.isEmpty())
        days.back() += QString(" (en nog %L1 lessen: zie de lijst)").arg(grid.lessonsLeftOut);
    setHorizontalHeaderLabels(days);
    QStringList hours;
    for (const int hour : grid.hours)
        hours << QString::fromStdString(HourHeading(hour));
    setVerticalHeaderLabels(hours);
    for (int row = 0; row < rowCount(); ++row) {
        if (grid.hours[static_cast<std::size_t>(row)] != kNoHour)
            verticalHeaderItem(row)->setData(Qt::AccessibleTextRole, "uur " + hours[row]);
    }
    for (std::size_t row = 0; row < grid.hours.size(); ++row) {
        for (std::size_t column = 0; column < shownDays; ++column) {
            const QString html = decode(GridCellHtml(grid.cells[row][column], marks));
            auto* cell = new QTableWidgetItem(QTextDocumentFragment::fromHtml(html).toPlainText());
            cell->setData(kRichTextRole, html);
            setItem(static_cast<int>(row), static_cast<int>(column), cell);
        }
    }
    resizeRowsToContents();
}

void WeekGridView::RemeasureSoon() {
    if (remeasurePending_) return;
    remeasurePending_ = true;
    QTimer::singleShot(0, this, [this] {
        remeasurePending_ = false;
        resizeRowsToContents();
    });
}

}  // namespace orbelquint
