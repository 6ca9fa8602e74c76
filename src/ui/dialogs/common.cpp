#include "ui/dialogs/common.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace orbelquint::Common {

QString ShowOpenDialog(QWidget* owner, const QString& filter, const QString& title) {
    QFileDialog dialog(owner, title, QDir::currentPath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The user may name a file that does not exist yet; the caller decides what to do with it.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "cancel";
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    QDir::setCurrent(chosen.absolutePath());
    return chosen.absoluteFilePath();
}

QString ShowSaveDialog(QWidget* owner, const QString& proposed, const QString& filter) {
    return QFileDialog::getSaveFileName(owner, "Opslaan als", proposed, filter);
}

}  // namespace orbelquint::Common
