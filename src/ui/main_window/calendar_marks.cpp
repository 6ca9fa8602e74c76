#include "ui/main_window/calendar_marks.h"

#include <QCalendarWidget>
#include <QTextCharFormat>

#include "core/weeks/week_number.h"
#include "ui/calendar_dates.h"
#include "ui/mark_colours.h"

namespace orbelquint {

CalendarMarks::CalendarMarks(QCalendarWidget& calendar) : QObject(&calendar), calendar_(calendar) {
    connect(&calendar_, &QCalendarWidget::currentPageChanged, this, &CalendarMarks::Draw);
}

void CalendarMarks::Show(const std::bitset<kLastWeek + 1>& changeWeeks, int firstWeek, int lastWeek) {
    changeWeeks_ = changeWeeks;
    firstWeek_ = firstWeek;
    lastWeek_ = lastWeek;
    Draw();
}

void CalendarMarks::Clear() {
    Show({}, 1, 0);
}

// Every day the month page can show: from a week before the first to two weeks after the last.
void CalendarMarks::Draw() {
    calendar_.setDateTextFormat(QDate(), QTextCharFormat());
    const QDate first(calendar_.yearShown(), calendar_.monthShown(), 1);
    const MarkColours colours = MarkColoursOf(calendar_.palette());
    // The weekend in a colour of the theme that reads on every mark, not the fixed red.
    QTextCharFormat weekend;
    weekend.setForeground(colours.weekend);
    for (const Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
        calendar_.setWeekdayTextFormat(day, weekend);
    QTextCharFormat covered;
    covered.setBackground(colours.covered);
    // A change week is told by more than its colour: bold and underlined.
    QTextCharFormat change;
    change.setBackground(colours.changes);
    change.setFontWeight(QFont::Bold);
    change.setFontUnderline(true);
    for (QDate day = first.addDays(-7); day <= first.addMonths(1).addDays(14); day = day.addDays(1)) {
        const int week = WeekOfDate(ToCalendarDate(day));
        if (week >= 1 && week <= kLastWeek && changeWeeks_.test(static_cast<std::size_t>(week))) {
            change.setToolTip(QString("Het rooster verandert in week %1 (vet en onderstreept)").arg(week));
            calendar_.setDateTextFormat(day, change);
        } else if (week >= firstWeek_ && week <= lastWeek_) {
            // The weeks covered are also named in words beside the calendar.
            covered.setToolTip(QString("Week %1 staat in het gegevensbestand").arg(week));
            calendar_.setDateTextFormat(day, covered);
        }
    }
}

}  // namespace orbelquint
