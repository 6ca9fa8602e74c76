// OrbelQuint: the week page of a school timetable in a window.
#include <QApplication>
#include <QDate>
#include <QDebug>
#include <QMessageBox>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <system_error>

#include "app/application_setup.h"
#include "app/closing_signals.h"
#include "app/pdf_export.h"
#include "core/app_paths.h"
#include "ui/dialogs/common.h"
#include "ui/main_window/main_window.h"
#include "version.h"

namespace {

constexpr const char* kUsage =
    "Gebruik: orbelquint [BESTAND]\n"
    "       orbelquint --pdf PDF [--series REEKS] GEGEVENSBESTAND WEEK\n"
    "\n"
    "Toont het lesrooster van een klas week per week. Met BESTAND wordt dat gegevensbestand\n"
    "geopend, zoals met de knop \"...\". Met --pdf wordt de weekpagina zonder venster als PDF\n"
    "geschreven; WEEK en de afsluitstatus zijn die van orbelquint-week.\n"
    "\n"
    "  --help     deze hulp tonen\n"
    "  --version  het versienummer tonen\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is asked for.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) return (std::cout << kUsage) ? 0 : 1;
        if (std::strcmp(argv[i], "--version") == 0)
            return (std::cout << "orbelquint " ORBELQUINT_VERSION "\n") ? 0 : 1;
    }
    const bool exportPdf = std::any_of(
        argv + 1, argv + argc, [](const char* argument) { return std::strcmp(argument, "--pdf") == 0; });
    // An option of ours that is not known is a usage error, also without a display. (Qt's own
    // options begin with one dash.)
    const bool unknownOption = std::any_of(
        argv + 1, argv + argc, [](const char* argument) { return std::strncmp(argument, "--", 2) == 0; });
    if (unknownOption && !exportPdf) {
        qCritical().noquote().nospace() << "Onbekende optie.\n\n" << kUsage;
        return 2;
    }
    // The PDF export needs no display: Qt draws offscreen.
    if (exportPdf) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);  // takes Qt's own options out of argv
    orbelquint::SetUpApplication(app);
    if (exportPdf)
        return orbelquint::ExportPdf({argv + 1, argv + argc}, orbelquint::RunningPageTemplateFile());
    if (argc > 2) {
        qCritical().noquote().nospace() << "Geef hoogstens één gegevensbestand.\n\n" << kUsage;
        return 2;
    }
    // The program finds its files from its own folder; without it, it writes nowhere.
    const auto programFolder = orbelquint::ProgramFolder();
    if (!programFolder) {
        QMessageBox::critical(nullptr, "OrbelQuint",
                              "De map van het programma kan niet worden gevonden. OrbelQuint stopt zonder "
                              "iets te schrijven.");
        return 1;
    }
    // From here on a signal to end waits for the window to close as its close box does.
    orbelquint::ClosingSignals closingSignals;
    // A file named on the command line is taken from the folder the program was started in.
    std::error_code ignored;
    const std::filesystem::path fileToOpen = argc == 2 ? std::filesystem::absolute(argv[1], ignored) : "";
    orbelquint::Main main({orbelquint::DecideAppPaths(*programFolder, &std::getenv), &QDate::currentDate,
                           &orbelquint::Common::ShowOpenDialog, &orbelquint::Common::ShowSaveDialog,
                           fileToOpen});
    main.Form_Load();
    main.show();
    closingSignals.Close([&main] { main.close(); });
    return app.exec();
}
