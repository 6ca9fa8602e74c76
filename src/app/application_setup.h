#pragma once

class QApplication;

namespace orbelquint {

// The program speaks Dutch, also in Qt's own dialogs and the calendar, and is known to the desktop
// by its menu entry. It keeps the desktop's font: the windows grow with it.
void SetUpApplication(QApplication& app);

}  // namespace orbelquint
