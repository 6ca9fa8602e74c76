// OrbelQuint: the week page of a school timetable in a window.
#include <QApplication>
#include <QDate>
#include <QDebug>
#include <QMessageBox>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/application_setup.h"
#include "app/closing_signals.h"
#include "app/pdf_export.h"
#include "app/runtime_folder.h"
#include "core/command/command_arguments.h"
#include "core/files/app_paths.h"
#include "ui/dialogs/common.h"
#include "ui/main_window/main_window.h"
#include "version.h"

namespace {

constexpr const char* kUsage =
    "Gebruik: orbelquint [BESTAND]\n"
    "       orbelquint --pdf PDF [--grid] [--series REEKS] [--template BESTAND] GEGEVENSBESTAND WEEK\n"
    "\n"
    "Toont het lesrooster van een klas week per week. Met BESTAND wordt dat gegevensbestand\n"
    "geopend, zoals met de knop \"...\". Met --pdf wordt de weekpagina zonder venster als PDF\n"
    "geschreven; WEEK en de afsluitstatus zijn die van orbelquint-week.\n"
    "\n"
    "  --pdf PDF           de weekpagina als PDF naar het bestand PDF schrijven\n"
    "  --grid              met --pdf: de week als raster, de dagen naast elkaar\n"
    "  --series REEKS      met --pdf: alleen de lessen van deze reeks (en die voor alle reeksen)\n"
    "  --template BESTAND  met --pdf: het paginasjabloon\n"
    "  -h, --help          deze hulp tonen\n"
    "  --version           het versienummer tonen\n";

// True when a window system can be reached: Qt aborts the program when it cannot, so the window
// is not even tried without one.
bool DisplayIsThere() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0') return true;
    }
    return false;
}

// The arguments after the program's name.
std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is asked for.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return (std::cout << kUsage << std::flush) ? 0 : 1;
        if (std::strcmp(argv[i], "--version") == 0)
            return (std::cout << "orbelquint " ORBELQUINT_VERSION "\n" << std::flush) ? 0 : 1;
    }
    const bool exportPdf = std::any_of(argv + 1, argv + argc, [](const char* argument) {
        return std::strcmp(argument, "--pdf") == 0 || std::strncmp(argument, "--pdf=", 6) == 0;
    });
    if (!exportPdf) {
        // An option of ours that is not known is a usage error, also without a display. (Qt's own
        // options begin with one dash.)
        const std::string unknown = orbelquint::ReadCommandArguments(ArgumentsOf(argc, argv), {}, {}).error;
        if (!unknown.empty()) {
            std::cerr << orbelquint::UsageErrorText("orbelquint", unknown) << "\n";
            return orbelquint::kExitUsage;
        }
        if (!DisplayIsThere()) {
            std::cerr << "Geen beeldscherm gevonden: het venster kan niet worden getoond. Met --pdf schrijft "
                         "orbelquint de weekpagina zonder beeldscherm.\n";
            return orbelquint::kExitFailure;
        }
    }
    // The PDF export needs no display: Qt draws offscreen, and needs no runtime folder of the session.
    if (exportPdf) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::optional<orbelquint::PrivateRuntimeFolder> runtimeFolder;
    if (exportPdf) runtimeFolder.emplace();
    QApplication app(argc, argv);  // takes Qt's own options out of argv
    orbelquint::SetUpApplication(app);
    if (exportPdf)
        return orbelquint::ExportPdf(ArgumentsOf(argc, argv), orbelquint::RunningPageTemplateFile());
    // What is left once Qt took its own options: the data file, also after "--".
    const std::vector<std::string> files =
        orbelquint::ReadCommandArguments(ArgumentsOf(argc, argv), {}, {}).positional;
    if (files.size() > 1) {
        std::cerr << orbelquint::UsageErrorText("orbelquint", "Geef hoogstens één gegevensbestand.") << "\n";
        return orbelquint::kExitUsage;
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
    const std::filesystem::path fileToOpen =
        files.empty() ? "" : std::filesystem::absolute(files[0], ignored);
    orbelquint::Main main({orbelquint::DecideAppPaths(*programFolder, &std::getenv), &QDate::currentDate,
                           &orbelquint::Common::ShowOpenDialog, &orbelquint::Common::ShowSaveDialog,
                           fileToOpen});
    // Also while start-up waits for the agreement.
    closingSignals.Close([&main] { main.close(); });
    main.Form_Load();
    if (main.HasEnded()) return 0;
    main.show();
    return app.exec();
}
