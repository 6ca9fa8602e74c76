// OrbelQuint: the week page of a school timetable in a window.
#include <QApplication>
#include <QDate>

#include "ui/application_setup.h"
#include "ui/dialogs/common.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orbelquint::SetUpApplication(app);
    orbelquint::Main main(
        {QCoreApplication::applicationDirPath(), &QDate::currentDate, &orbelquint::Common::ShowOpenDialog});
    main.Form_Load();
    main.show();
    return app.exec();
}
