#pragma once

#include <QString>

class QWidget;

// The module of procedures that the windows share.
namespace orbelquint::Common {

// Asks the user for one file, starting in the current folder; gives its full path, or "cancel"
// when the user cancels. After a choice the current folder is the folder of the chosen file.
QString ShowOpenDialog(QWidget* owner, const QString& filter, const QString& title);

}  // namespace orbelquint::Common
