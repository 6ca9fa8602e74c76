#pragma once

#include <QByteArray>
#include <QTableWidget>
#include <optional>

namespace orbelquint {

// The week as a grid in the viewer: a table with the days as column headers and the lesson hours
// as row headers, each lesson in the cell of its day and hour. A real table, so that a screen
// reader tells the day and hour of every cell. Its cells wrap their text and grow to hold it.
class WeekGridView : public QTableWidget {
    Q_OBJECT

  public:
    explicit WeekGridView(QWidget* parent);

    // Shows the grid of a week page (or of its start) for `week`; with `marksWeek` the lessons
    // that start or end in that week are marked, in colour and in words.
    void ShowWeekPage(const QByteArray& page, int week, std::optional<int> marksWeek);

  private:
    void RemeasureSoon();

    bool remeasurePending_ = false;
};

}  // namespace orbelquint
