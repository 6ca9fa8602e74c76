#pragma once

#include <QWidget>

#include "core/timetable/week_view.h"

namespace orbelquint {

class PageView;
class WeekGridView;

// The viewer window: a resizable tool window whose browser follows the window's size. The week
// shows as a list in the browser or as a grid in its place.
class Display : public QWidget {
    Q_OBJECT

  public:
    Display();

    // Shows the browser, or the grid in its place.
    void ShowView(WeekView view);

    PageView* brwView;
    WeekGridView* grdWeek;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Form_Resize();
};

}  // namespace orbelquint
