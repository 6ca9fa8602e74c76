// OrbelQuint: the week page of a school timetable in a window.
#include <QApplication>
#include <QDate>
#include <QMessageBox>

#include "core/file_handle.h"
#include "ui/application_setup.h"
#include "ui/dialogs/common.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orbelquint::SetUpApplication(app);
    // The program keeps its files in its own folder; without it, it writes nowhere else.
    const auto appDir = orbelquint::ProgramFolder();
    if (!appDir) {
        QMessageBox::critical(nullptr, "OrbelQuint",
                              "De map van het programma kan niet worden gevonden. OrbelQuint stopt zonder "
                              "iets te schrijven.");
        return 1;
    }
    orbelquint::Main main({*appDir, &QDate::currentDate, &orbelquint::Common::ShowOpenDialog});
    main.Form_Load();
    main.show();
    return app.exec();
}
