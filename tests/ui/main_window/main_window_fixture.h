// The main window started in a folder of its own, with a day and dialogs of the test's.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextCharFormat>
#include <QUrl>
#include <deque>
#include <fstream>
#include <memory>

#include "core/files/week_page_claim.h"
#include "support/modal_answer.h"
#include "support/test_files.h"
#include "ui/main_window/main_window.h"
#include "ui/path_text.h"
#include "ui/viewer/display.h"
#include "ui/viewer/page_view.h"
#include "ui/viewer/week_grid_view.h"
#include "ui/widgets/screen_placement.h"

namespace orbelquint::test_support {

inline void Close(QWidget* window) {
    window->close();
}

// A folder in which this process cannot create a file: a folder without write permission, or, for
// root, whom permissions do not stop, a folder of the kernel's; empty when there is none.
inline std::filesystem::path UnwritableFolder(const std::filesystem::path& scratch) {
    const std::filesystem::path locked = scratch / "alleen-lezen";
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    for (const std::filesystem::path& folder : {locked, std::filesystem::path("/sys/kernel")}) {
        if (!std::filesystem::is_directory(folder)) continue;
        if (!std::ofstream(folder / "orbelquint-probe")) return folder;
        std::filesystem::remove(folder / "orbelquint-probe");
    }
    return {};
}

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        folder_.Write("def.dat", "</head><body>\r\n<p>voet</p>\r\n");
        folder_.Write("main.html", "<html><body>Welkom</body></html>");
    }

    // Starts the program in `appDir` (the test folder by default) on `today`; the agreement, when
    // it comes, is closed.
    // An installed program's paths or a file to open are set in `environment_` before.
    void Start(QDate today = QDate(2026, 12, 8), std::filesystem::path appDir = {}) {
        today_ = today;
        if (appDir.empty()) appDir = folder_.Path();
        MainEnvironment environment = environment_;
        if (environment.paths.shippedFolder.empty()) environment.paths = PortableAppPaths(appDir);
        environment.today = [this] { return today_; };
        environment.openDialog = [this](QWidget*, const QString& filter, const QString& title) {
            dialogCalls_ << filter + "|" + title;
            QString answer = dialogAnswers_.empty() ? "cancel" : dialogAnswers_.front();
            if (!dialogAnswers_.empty()) dialogAnswers_.pop_front();
            return answer;
        };
        main_ = std::make_unique<Main>(environment);
        builds_ = 0;
        QObject::connect(main_.get(), &Main::WeekPageBuilt, [this] { ++builds_; });
        const ModalAnswerer agreement(Close);
        main_->Form_Load();
        agreementsShown_ = agreement.Count();
    }

    // A later start: the settings file remembers `dataFile` and `seriesLine`.
    void StartWith(const std::string& dataFile, const std::string& seriesLine,
                   QDate today = QDate(2026, 12, 8)) {
        folder_.Write("prev.ini", dataFile + "\r\n" + seriesLine + "\r\n");
        Start(today);
    }

    std::string SampleTimetable() const {
        return folder_.Write("rooster.htm", ReadFile(test_support::SampleDataFile())).string();
    }
    std::filesystem::path AppFile(const std::string& name) const { return folder_.Path() / name; }
    std::string WeekPage() const { return ReadFile(AppFile("temp.htm")); }
    // The text of the viewer, with the fixed blanks of preformatted lines as plain blanks.
    QString Shown() const { return main_->Viewer()->brwView->toPlainText().replace(QChar::Nbsp, ' '); }

    void TypeInto(QLineEdit* box, const QString& text) { QTest::keyClicks(box, text); }

    test_support::TempDir folder_;
    MainEnvironment environment_;
    QDate today_;
    std::deque<QString> dialogAnswers_;
    QStringList dialogCalls_;
    int agreementsShown_ = 0;
    int builds_ = 0;  // complete page builds since the start
    std::unique_ptr<Main> main_;
};

// Answers a warning with its text kept, so that a test can read what it said.
struct WarningText {
    QString text;
    ModalAnswerer answerer{[this](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text();
        modal->close();
    }};
};

}  // namespace orbelquint::test_support
