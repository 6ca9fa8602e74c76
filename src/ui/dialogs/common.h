#pragma once

#include <QString>

class QWidget;

// The module of procedures that the windows share.
namespace orbelquint::Common {

// Asks the user for one file, starting in the current folder; gives its full path, or "cancel"
// when the user cancels. After a choice the current folder is the folder of the chosen file.
QString ShowOpenDialog(QWidget* owner, const QString& filter, const QString& title);

// Asks the user where to save a file, starting at `proposed` (a folder and a file name) and showing
// the files of `filter`; gives the chosen path, or the empty text when the user cancels.
QString ShowSaveDialog(QWidget* owner, const QString& proposed, const QString& filter);

}  // namespace orbelquint::Common
