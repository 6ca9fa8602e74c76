#pragma once

#include <QObject>
#include <bitset>

#include "core/timetable/week_page.h"

class QCalendarWidget;

namespace orbelquint {

// Marks on the calendar, by the program's own week numbering: every day of a change week stands
// out (colour, weight, and a tooltip naming the week), and the weeks the data file covers are
// shaded lightly. The marks are given when the data file or the series filter changes, and are
// drawn for whichever month the calendar shows.
class CalendarMarks : public QObject {
  public:
    explicit CalendarMarks(QCalendarWidget& calendar);

    // Marks the change weeks and shades the weeks from `firstWeek` to `lastWeek`.
    void Show(const std::bitset<kLastWeek + 1>& changeWeeks, int firstWeek, int lastWeek);
    // Takes every mark away, for a data file that is no timetable.
    void Clear();

  private:
    void Draw();

    QCalendarWidget& calendar_;
    std::bitset<kLastWeek + 1> changeWeeks_;
    int firstWeek_ = 1;
    int lastWeek_ = 0;
};

}  // namespace orbelquint
