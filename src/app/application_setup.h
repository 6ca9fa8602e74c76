#pragma once

class QApplication;

namespace orbelquint {

// The program speaks Dutch, also in Qt's own dialogs and the calendar, and uses the font size at
// which the windows' designed layout holds every text.
void SetUpApplication(QApplication& app);

}  // namespace orbelquint
