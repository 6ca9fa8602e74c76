#include "app/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "version.h"

namespace orbelquint {

void SetUpApplication(QApplication& app) {
    // Docks and task bars tie the windows to the menu entry and its icon by this name.
    QGuiApplication::setDesktopFileName(ORBELQUINT_ID);
    const QLocale dutch(QLocale::Dutch, QLocale::Belgium);
    QLocale::setDefault(dutch);
    // Qt's own texts (dialog buttons, the file dialog); English when the translations are missing.
    auto* translator = new QTranslator(&app);
    if (translator->load(dutch, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

}  // namespace orbelquint
