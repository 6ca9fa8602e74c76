// The main window's start and end: the working folder, the page file, the settings, the agreement
// and the file named on the command line; at the close, the settings kept and the page removed.
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <system_error>

#include "core/files/app_paths.h"
#include "core/files/atomic_file.h"
#include "core/files/settings_file.h"
#include "core/files/shipped_names.h"
#include "core/files/week_page_session.h"
#include "core/text/float_text.h"
#include "ui/dialogs/agreement.h"
#include "ui/logging.h"
#include "ui/main_window/main_window.h"
#include "ui/page_decoding.h"
#include "ui/path_text.h"
#include "ui/viewer/display.h"
#include "ui/viewer/page_view.h"

namespace orbelquint {

void Main::Form_Load() {
    const AppPaths& paths = environment_.paths;
    // Data file names without a folder are taken in the program's folder, and the open-file
    // dialog starts there, by the sample.
    std::error_code ignored;
    std::filesystem::current_path(paths.Sample().parent_path(), ignored);
    const bool foldersMade = MakeOwnFolders(paths);
    ClaimWeekPage();
    RemoveStaleTemporaries(paths.settingsFile.parent_path(), kSettingsName);
    ShowViewer();
    const SettingsLoad settings = ReadSettings();
    if (settings.kind == SettingsLoad::Kind::Unusable) lbInfo->setText(DecodeDataText(settings.problem));
    if (!foldersMade) lbInfo->setText("De map voor de instellingen kan niet worden gemaakt.");
    if (settings.kind != SettingsLoad::Kind::Restored) {
        Form1 agreement;
        agreement_ = &agreement;
        agreement.exec();
        if (closedDuringAgreement_) return EndRun();
    }
    ShowViewer().brwView->Navigate(paths.StartPage());
    if (settings.kind == SettingsLoad::Kind::Restored) Restore(settings.settings);
    if (!environment_.fileToOpen.empty()) {
        ShowDataFile(environment_.fileToOpen.string());
        dataLoaded_ = true;
    }
    btnToday_Click();
}

// The week page file in a folder of the user's own, or the page in memory; the log says where it
// went when not in the first place.
void Main::ClaimWeekPage() {
    const AppPaths& paths = environment_.paths;
    const std::filesystem::path pageFolder = ChooseWeekPageFolder(paths);
    if (pageFolder != paths.weekPageFolder) {
        qCWarning(lcOrbelquint).noquote()
            << "De map" << PathText(paths.weekPageFolder)
            << "is niet van de gebruiker alleen; de weekpagina komt in"
            << (pageFolder.empty() ? QString("het geheugen") : PathText(pageFolder));
    }
    page_ = std::make_unique<WeekPageSession>(pageFolder);
    RemoveStaleTemporaries(pageFolder, kWeekPageName);
}

// The settings of the last run, from a file at its own name in a folder that nobody else can plant
// one in: a link there might lead the settings onto anybody's file.
SettingsLoad Main::ReadSettings() {
    const std::filesystem::path& file = environment_.paths.settingsFile;
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    const bool link = std::filesystem::is_symlink(file, error);
    settingsKept_ = !link && (folder.empty() || IsOwnFolder(folder));
    if (settingsKept_) return LoadSettings(file);
    const std::string why =
        link ? "Het instellingenbestand \"" + PathText(file).toStdString() +
                   "\" is een koppeling; de instellingen"
             : std::string("Ook anderen kunnen schrijven in de map van de instellingen; die");
    qCWarning(lcOrbelquint).noquote() << QString::fromStdString(why) << "worden niet gelezen of bewaard.";
    return {SettingsLoad::Kind::Unusable, {}, why + " worden niet gelezen of bewaard."};
}

// The data file, series filter, marks and view of the last run.
void Main::Restore(const RememberedSettings& settings) {
    // An installed program's dialog starts by the file last used.
    std::error_code ignored;
    if (!environment_.paths.portable)
        std::filesystem::current_path(std::filesystem::path(settings.dataFile).parent_path(), ignored);
    rememberedDataFile_ = settings.dataFile;
    {
        const QSignalBlocker quietMarks(chMarks);
        const QSignalBlocker quietGrid(chGrid);
        chMarks->setChecked(settings.lessonMarks);
        chGrid->setChecked(settings.view == WeekView::Grid);
    }
    ShowDataFile(settings.dataFile);
    dataLoaded_ = true;
    chReeks->setChecked(settings.series.has_value());
    if (settings.series) txtReeks->setText(QString::fromStdString(NumberText(*settings.series)));
}

void Main::closeEvent(QCloseEvent* event) {
    event->accept();
    if (ended_) return;
    if (agreement_ && agreement_->isVisible()) {
        closedDuringAgreement_ = true;
        agreement_->reject();  // start-up goes on from the agreement and ends the run
        return;
    }
    Form_Unload();
}

void Main::Form_Unload() {
    SaveSettings();
    EndRun();
    QCoreApplication::quit();
}

// The page and its lock go and the viewer closes; nothing of the run stays but its settings.
void Main::EndRun() {
    if (!page_->RemoveFile()) {
        qCWarning(lcOrbelquint) << "De weekpagina" << page_->File().c_str() << "kan niet worden verwijderd.";
    }
    page_.reset();
    if (display_) display_->close();
    ended_ = true;
}

void Main::SaveSettings() {
    if (!settingsKept_) return;
    const QByteArray series = chReeks->isChecked() ? txtReeks->text().toUtf8() : QByteArray("0");
    const std::string dataFile = DataFileName();
    const std::filesystem::path& file = environment_.paths.settingsFile;
    if (!SaveSettingsFile(file, CanBeRemembered(dataFile) ? dataFile : rememberedDataFile_,
                          series.toStdString(), chMarks->isChecked(), ShownView())) {
        qCWarning(lcOrbelquint) << "Het instellingenbestand" << file.c_str() << "kan niet worden geschreven.";
    }
}

}  // namespace orbelquint
