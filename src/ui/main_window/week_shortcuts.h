#pragma once

#include <functional>

class QWidget;

namespace orbelquint {

// What the keys of both windows do.
struct WeekActions {
    std::function<void()> nextWeek;
    std::function<void()> previousWeek;
    std::function<void()> thisWeek;
    std::function<void()> open;
    std::function<void()> save;
    std::function<void()> print;
    std::function<void()> exportPdf;
    std::function<void()> exportCalendar;
    std::function<void()> rebuild;
};

// Gives `window` the program's keys: Alt+Right and Ctrl+PageDown for the next week, Alt+Left and
// Ctrl+PageUp for the previous one, Alt+Home for this week, Ctrl+O, Ctrl+S, Ctrl+P, Ctrl+E (PDF),
// Ctrl+G (calendar) and F5 (rebuild from the file now), whichever of the window's controls has the focus (the
// controls it has now). Plain PageUp and PageDown stay with the focused control.
void AddWeekShortcuts(QWidget& window, const WeekActions& actions);

}  // namespace orbelquint
