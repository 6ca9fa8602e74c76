#include "ui/main_window/main_window.h"

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

#include "core/week_page_claim.h"
#include "support/modal_answer.h"
#include "support/test_files.h"
#include "ui/path_text.h"
#include "ui/viewer/display.h"
#include "ui/viewer/page_view.h"
#include "ui/widgets/screen_placement.h"

namespace orbelquint {
namespace {

using test_support::ModalAnswerer;
using test_support::ReadFile;

void Close(QWidget* window) {
    window->close();
}

// A folder in which this process cannot create a file: a folder without write permission, or, for
// root, whom permissions do not stop, a folder of the kernel's; empty when there is none.
std::filesystem::path UnwritableFolder(const std::filesystem::path& scratch) {
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

TEST_F(MainWindowTest, TheWindowIsLaidOutAsDesigned) {
    StartWith(SampleTimetable(), "0");
    EXPECT_EQ(main_->windowTitle(), "OrbelQuint");
    EXPECT_EQ(main_->size(), QSize(457, 333));
    EXPECT_EQ(main_->Frame2->title(), "Gegevensbestand ");
    EXPECT_EQ(main_->Frame3->title(), "Reeks ");
    EXPECT_EQ(main_->Frame1->title(), "Week ");
    EXPECT_EQ(main_->btnShowData->text(), "Gegevens Weergeven");
    EXPECT_EQ(main_->chReeks->text(), "Alleen lessen tonen voor reeks");
    EXPECT_EQ(main_->Cal->geometry(), QRect(16, 48, 185, 161));
    EXPECT_EQ(main_->btnSave->geometry(), QRect(232, 240, 217, 41));

    QApplication::setActiveWindow(main_.get());
    EXPECT_EQ(QApplication::focusWidget(), main_->txtFileName);
    const QWidget* tabOrder[] = {main_->btnBrowse, main_->txtWeek,     main_->btnDown,      main_->btnUp,
                                 main_->btnToday,  main_->btnShowData, main_->Cal,          main_->btnSave,
                                 main_->chMarks,   main_->btnPrint,    main_->btnExportPdf, main_->chReeks,
                                 main_->txtReeks};
    for (const QWidget* next : tabOrder) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == next || next->isAncestorOf(focus)) << next->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, AFirstStartShowsTheAgreementAndBuildsNothing) {
    Start();
    EXPECT_EQ(agreementsShown_, 1);
    EXPECT_TRUE(std::filesystem::exists(AppFile("prev.ini")));
    EXPECT_EQ(ReadFile(AppFile("prev.ini")), "");
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp.htm")));
    EXPECT_EQ(Shown(), "Welkom");
    EXPECT_EQ(main_->txtFileName->text(), "");
    EXPECT_FALSE(main_->chReeks->isChecked());
    EXPECT_FALSE(main_->DataLoaded());
    EXPECT_EQ(main_->txtWeek->text(), "50");
    EXPECT_EQ(main_->Cal->selectedDate(), QDate(2026, 12, 8));
    // No heading yet: two blanks stand together in the caption.
    EXPECT_EQ(main_->btnSave->text(), "Opslaan als  - week50.html");

    main_->close();
    EXPECT_EQ(ReadFile(AppFile("prev.ini")), "\r\n0\r\n");
}

TEST_F(MainWindowTest, ALaterStartRestoresTheFileAndTheSeries) {
    StartWith(SampleTimetable(), "02");
    EXPECT_EQ(agreementsShown_, 0);
    EXPECT_EQ(builds_, 3);  // week 0 unfiltered, week 0 for series 2, then today's week
    EXPECT_TRUE(main_->DataLoaded());
    EXPECT_TRUE(main_->chReeks->isChecked());
    EXPECT_EQ(main_->txtReeks->text(), "2");
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
    EXPECT_EQ(main_->lbInfo->text(), "Dit gegevens bestand gaat van week 36 tot week 52");
    EXPECT_EQ(main_->lbFirstChange->text(), "De eerste verandering in dit orbelquint is voor week 52");
    EXPECT_EQ(main_->btnSave->text(), "Opslaan als 5 Wetenschappen-Wiskunde - week50.html");
    EXPECT_NE(WeekPage().find("<title>Orbelquint week 50</title>"), std::string::npos);
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));
    EXPECT_TRUE(Shown().contains("Programmeren                   2"));
    EXPECT_FALSE(Shown().contains("Programmeren                   1"));
}

TEST_F(MainWindowTest, TheSeriesLineTicksTheFilterOnlyForANumberOtherThanZero) {
    const std::pair<std::string, QString> cases[] = {
        {" 3", "3"}, {"12abc", "12"}, {"-2", "-2"}, {"2.5", "2.5"}, {"abc", ""}, {"", ""}, {"0", ""}};
    for (const auto& [line, series] : cases) {
        StartWith(SampleTimetable(), line);
        EXPECT_EQ(main_->chReeks->isChecked(), !series.isEmpty()) << line;
        EXPECT_EQ(main_->txtReeks->text(), series) << line;
        main_.reset();
    }
    folder_.Write("prev.ini", "rooster.htm");  // one line, no line end
    Start();
    EXPECT_EQ(main_->txtFileName->text(), "rooster.htm");
    EXPECT_FALSE(main_->chReeks->isChecked());
}

TEST_F(MainWindowTest, NextAndPreviousMoveSevenDaysAcrossTheYearEnd) {
    StartWith(SampleTimetable(), "0", QDate(2003, 12, 29));
    EXPECT_EQ(main_->txtWeek->text(), "53");
    QTest::mouseClick(main_->btnUp, Qt::LeftButton);
    EXPECT_EQ(main_->Cal->selectedDate(), QDate(2004, 1, 5));
    EXPECT_EQ(main_->CurrentWeek(), 2);
    EXPECT_EQ(main_->txtWeek->text(), "2");
    EXPECT_NE(WeekPage().find("Orbelquint week 2<"), std::string::npos);

    main_.reset();
    StartWith(SampleTimetable(), "0", QDate(2004, 1, 1));
    QTest::mouseClick(main_->btnDown, Qt::LeftButton);
    EXPECT_EQ(main_->Cal->selectedDate(), QDate(2003, 12, 25));
    EXPECT_EQ(main_->CurrentWeek(), 52);
    EXPECT_EQ(main_->btnSave->text(), "Opslaan als 5 Wetenschappen-Wiskunde - week52.html");
}

TEST_F(MainWindowTest, EveryChangeOfWeekBuildsThePageOnce) {
    StartWith(SampleTimetable(), "0");
    EXPECT_EQ(builds_, 1);
    main_->Cal->setSelectedDate(QDate(2026, 11, 4));  // as the user's pick does
    EXPECT_EQ(main_->CurrentWeek(), 45);
    EXPECT_EQ(main_->txtWeek->text(), "45");
    EXPECT_EQ(builds_, 2);
    main_->Cal->setSelectedDate(QDate(2026, 11, 6));  // another day of the same week
    EXPECT_EQ(builds_, 3);
    QTest::mouseClick(main_->btnUp, Qt::LeftButton);
    EXPECT_EQ(builds_, 4);
    QTest::mouseClick(main_->btnToday, Qt::LeftButton);
    EXPECT_EQ(main_->Cal->selectedDate(), QDate(2026, 12, 8));
    EXPECT_EQ(main_->CurrentWeek(), 50);
    EXPECT_EQ(builds_, 5);
}

TEST_F(MainWindowTest, TypedWeeksMoveTheCalendarToThatWeek) {
    StartWith(SampleTimetable(), "0");
    main_->txtWeek->clear();
    EXPECT_EQ(main_->CurrentWeek(), 50);  // an empty box changes nothing
    builds_ = 0;
    TypeInto(main_->txtWeek, "05");
    EXPECT_EQ(builds_, 1);  // "0" reads as no week
    EXPECT_EQ(main_->CurrentWeek(), 5);
    EXPECT_EQ(main_->txtWeek->text(), "5");
    EXPECT_EQ(main_->Cal->selectedDate(), QDate(2026, 2, 1));  // the nearest day of week 5 backwards

    main_->txtWeek->selectAll();
    TypeInto(main_->txtWeek, "12");  // passes through week 1 on its way
    EXPECT_EQ(main_->CurrentWeek(), 12);
    QTest::keyClick(main_->txtWeek, Qt::Key_Backspace);
    EXPECT_EQ(main_->CurrentWeek(), 1);
    EXPECT_EQ(main_->Cal->selectedDate(), QDate(2026, 1, 4));
    TypeInto(main_->txtWeek, "2");
    EXPECT_EQ(main_->CurrentWeek(), 12);
    EXPECT_EQ(main_->Cal->selectedDate(), QDate(2026, 3, 16));
    EXPECT_NE(WeekPage().find("Orbelquint week 12<"), std::string::npos);
}

TEST_F(MainWindowTest, NumbersThatAreNoWeekChangeNothing) {
    StartWith(SampleTimetable(), "0");
    for (const char* typed : {"60", "-3", "2.5", "x", "-"}) {
        main_->txtWeek->setText(typed);
        EXPECT_EQ(main_->txtWeek->text(), typed);
        EXPECT_EQ(main_->CurrentWeek(), 50) << typed;
        EXPECT_EQ(main_->Cal->selectedDate(), QDate(2026, 12, 8)) << typed;
        EXPECT_NE(WeekPage().find("Orbelquint week 50<"), std::string::npos) << typed;
    }
}

TEST_F(MainWindowTest, TypingASeriesTicksTheFilterAndBuildsOncePerKey) {
    StartWith(SampleTimetable(), "0");
    EXPECT_TRUE(Shown().contains("Programmeren                   1"));
    builds_ = 0;
    TypeInto(main_->txtReeks, "2");
    EXPECT_EQ(builds_, 1);
    EXPECT_TRUE(main_->chReeks->isChecked());
    EXPECT_FALSE(Shown().contains("Programmeren                   1"));
    EXPECT_TRUE(Shown().contains("Programmeren                   2"));

    TypeInto(main_->txtReeks, "1");  // series 21
    EXPECT_EQ(builds_, 2);
    EXPECT_FALSE(Shown().contains("Programmeren                   2"));

    QTest::mouseClick(main_->chReeks, Qt::LeftButton);  // clearing keeps the series text
    EXPECT_EQ(main_->txtReeks->text(), "21");
    EXPECT_EQ(builds_, 3);
    EXPECT_TRUE(Shown().contains("Programmeren                   1"));

    main_->close();
    EXPECT_TRUE(ReadFile(AppFile("prev.ini")).ends_with("\r\n0\r\n"));
}

TEST_F(MainWindowTest, ChoosingAFileBuildsItsPageAndCancellingChangesNothing) {
    Start();
    main_->btnBrowse->click();
    EXPECT_EQ(dialogCalls_, QStringList{"Webpaginas (*.htm*)|Gegevens inladen"});
    EXPECT_EQ(main_->txtFileName->text(), "");
    EXPECT_FALSE(main_->DataLoaded());

    const QString file = QString::fromStdString(SampleTimetable());
    dialogAnswers_.push_back(file);
    main_->btnBrowse->click();
    EXPECT_EQ(main_->txtFileName->text(), file);
    EXPECT_TRUE(main_->DataLoaded());
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));

    main_->close();
    EXPECT_EQ(ReadFile(AppFile("prev.ini")), file.toStdString() + "\r\n0\r\n");
}

TEST_F(MainWindowTest, AFileThatIsNoTimetableIsReportedInTheInfoLabel) {
    StartWith(SampleTimetable(), "0");
    const std::string before = WeekPage();
    main_->txtFileName->setText("weg.htm");
    QTest::mouseClick(main_->btnUp, Qt::LeftButton);
    EXPECT_TRUE(main_->lbInfo->text().contains("weg.htm")) << main_->lbInfo->text().toStdString();
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
    EXPECT_EQ(WeekPage(), before);

    main_.reset();
    StartWith((folder_.Path() / "verdwenen.htm").string(), "0");  // a remembered file that is gone
    EXPECT_TRUE(main_->lbInfo->text().contains("verdwenen.htm"));
    EXPECT_EQ(main_->CurrentWeek(), 50);
}

TEST_F(MainWindowTest, SavingCopiesTheWeekPageAndReplacesAnEarlierCopy) {
    StartWith(SampleTimetable(), "0");
    const std::filesystem::path copy = AppFile("5 Wetenschappen-Wiskunde - week50.html");
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    EXPECT_EQ(ReadFile(copy), WeekPage());

    QTest::keyClicks(main_->txtReeks, "1");
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    EXPECT_EQ(ReadFile(copy), WeekPage());
    EXPECT_TRUE(ReadFile(copy).find("Programmeren                   2") == std::string::npos);
}

TEST_F(MainWindowTest, SavingIsRefusedWhereNoSafeCopyCanBeMade) {
    Start();
    {
        const ModalAnswerer warning(Close);
        QTest::mouseClick(main_->btnSave, Qt::LeftButton);  // no week page yet
        EXPECT_EQ(warning.Count(), 1);
    }
    main_.reset();

    const std::string escaping = folder_.Write("kop.htm", "<h1>../4A</h1>\r\n").string();
    StartWith(escaping, "0");
    {
        const ModalAnswerer warning(Close);
        QTest::mouseClick(main_->btnSave, Qt::LeftButton);
        EXPECT_EQ(warning.Count(), 1);
    }
    EXPECT_FALSE(std::filesystem::exists(folder_.Path().parent_path() / "4A - week50.html"));
    main_.reset();

    StartWith(SampleTimetable(), "0");
    std::filesystem::create_directory(AppFile("5 Wetenschappen-Wiskunde - week50.html"));
    const ModalAnswerer warning(Close);
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    EXPECT_EQ(warning.Count(), 1);
}

TEST_F(MainWindowTest, AClosedViewerOpensAgainForTheNextPage) {
    Start();
    main_->Viewer()->close();
    EXPECT_EQ(main_->Viewer(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(main_->btnShowData, Qt::LeftButton);  // no data file chosen yet
    ASSERT_NE(main_->Viewer(), nullptr);
    EXPECT_EQ(Shown(), "");

    const QString file = QString::fromStdString(SampleTimetable());
    dialogAnswers_.push_back(file);
    main_->btnBrowse->click();
    main_->Viewer()->close();
    QTest::mouseClick(main_->btnUp, Qt::LeftButton);
    ASSERT_NE(main_->Viewer(), nullptr);
    EXPECT_TRUE(Shown().contains("Orbelquint week 51"));

    QTest::mouseClick(main_->btnShowData, Qt::LeftButton);
    EXPECT_TRUE(Shown().contains("PEE = mevr. Peeters"));  // the raw data file, legend and all
}

TEST_F(MainWindowTest, AReadOnlyProgramFolderStillShowsThePage) {
    const std::filesystem::path readOnly = UnwritableFolder(folder_.Path());
    if (readOnly.empty()) GTEST_SKIP() << "no folder here is closed to this process";
    const QString file = QString::fromStdString(SampleTimetable());
    Start(QDate(2026, 12, 8), readOnly);  // no settings file can be made: a first start
    EXPECT_EQ(agreementsShown_, 1);
    EXPECT_TRUE(main_->lbInfo->text().contains("prev.ini"));  // said in the window, not only on stderr
    dialogAnswers_.push_back(file);
    main_->btnBrowse->click();
    EXPECT_EQ(main_->lbInfo->text(), "Dit gegevens bestand gaat van week 36 tot week 52");
    EXPECT_TRUE(Shown().contains("Herhaling wiskunde"));
    {
        const ModalAnswerer warning(Close);
        QTest::mouseClick(main_->btnSave, Qt::LeftButton);
        EXPECT_EQ(warning.Count(), 1);
    }
    main_->close();
    // Nothing was written anywhere: the test folder holds the data file and its own files only.
    EXPECT_FALSE(std::filesystem::exists(readOnly / "temp.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "temp.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "prev.ini"));
}

TEST_F(MainWindowTest, AFolderInThePlaceOfTheWeekPageIsLeftAlone) {
    std::filesystem::create_directory(AppFile("temp.htm"));
    StartWith(SampleTimetable(), "0");
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));
    const ModalAnswerer warning(Close);
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    EXPECT_EQ(warning.Count(), 1);
    main_->close();
    EXPECT_TRUE(std::filesystem::is_directory(AppFile("temp.htm")));
}

TEST_F(MainWindowTest, ClosingSavesTheSettingsAndRemovesTheWeekPage) {
    StartWith(SampleTimetable(), "3");
    ASSERT_TRUE(std::filesystem::exists(AppFile("temp.htm")));
    main_->close();
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp.htm")));
    EXPECT_TRUE(ReadFile(AppFile("prev.ini")).ends_with("\r\n3\r\n"));
}

// Answers a warning with its text kept, so that a test can read what it said.
struct WarningText {
    QString text;
    ModalAnswerer answerer{[this](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text();
        modal->close();
    }};
};

void MakePipe(const std::filesystem::path& file) {
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
}

TEST_F(MainWindowTest, PipesAndDevicesAreUnreadableAndNeverFreezeTheWindow) {
    MakePipe(AppFile("prev.ini"));
    Start();
    EXPECT_TRUE(main_->lbInfo->text().contains("prev.ini")) << main_->lbInfo->text().toStdString();
    main_.reset();
    std::filesystem::remove(AppFile("prev.ini"));

    MakePipe(AppFile("rooster.htm"));
    for (const std::string& dataFile : {AppFile("rooster.htm").string(), std::string("/dev/zero")}) {
        StartWith(dataFile, "0");
        EXPECT_TRUE(main_->lbInfo->text().contains("kan niet worden geopend")) << dataFile;
        EXPECT_EQ(builds_, 0);
        main_.reset();
    }
}

TEST_F(MainWindowTest, WhatThePageNamesIsLoadedOnlyFromBoundedRegularFiles) {
    MakePipe(AppFile("pijp.png"));
    const std::string data = folder_
                                 .Write("rooster.htm",
                                        "<h1><i>4A</i><img src=\"pijp.png\"><img src=\"/dev/zero\">"
                                        "<img src=\"http://example.org/x.png\"></h1>\r\n")
                                 .string();
    StartWith(data, "0");
    EXPECT_EQ(builds_, 1);
    EXPECT_TRUE(main_->lbRichting->text().startsWith("<i>4A</i><img"));
    EXPECT_EQ(main_->lbRichting->textFormat(), Qt::PlainText);  // shown as it is, nothing loaded
    QTest::mouseClick(main_->btnShowData, Qt::LeftButton);
    EXPECT_TRUE(Shown().contains("4A"));
}

TEST_F(MainWindowTest, ALargeDataFileIsShownInPartAtOnce) {
    const std::string data =
        folder_.Write("groot.htm", "<h1>4A</h1>\r\n" + test_support::Filler(20'000'000, 'x') + "\r\n")
            .string();
    StartWith(data, "0");
    QTest::mouseClick(main_->btnShowData, Qt::LeftButton);
    EXPECT_TRUE(Shown().contains("te groot om helemaal te tonen")) << Shown().right(200).toStdString();
    EXPECT_LT(Shown().size(), 2 * static_cast<int>(PageView::kShownBytes));
}

TEST_F(MainWindowTest, AProgramFolderWithALatin1NameIsUsedAsItIs) {
    const std::filesystem::path appDir = folder_.Path() / "caf\xE9";
    std::filesystem::create_directory(appDir);
    std::filesystem::copy_file(AppFile("def.dat"), appDir / "def.dat");
    std::filesystem::current_path(folder_.Path());
    Start(QDate(2026, 12, 8), appDir);
    dialogAnswers_.push_back(QString::fromStdString(SampleTimetable()));
    main_->btnBrowse->click();
    EXPECT_TRUE(std::filesystem::exists(appDir / "temp.htm"));
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));
    main_->close();
    EXPECT_TRUE(std::filesystem::exists(appDir / "prev.ini"));
    EXPECT_FALSE(std::filesystem::exists(AppFile("prev.ini")));
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp.htm")));
}

TEST_F(MainWindowTest, ANameWithALineBreakIsUsedButNotRemembered) {
    const std::string remembered = SampleTimetable();
    const std::filesystem::path broken = folder_.Path() / "rooster\n2.htm";
    std::filesystem::copy_file(remembered, broken);
    StartWith(remembered, "0");
    dialogAnswers_.push_back(QString::fromStdString(broken.string()));
    main_->btnBrowse->click();
    EXPECT_TRUE(main_->lbInfo->text().contains("niet onthouden"));
    main_->close();
    EXPECT_EQ(ReadFile(AppFile("prev.ini")), remembered + "\r\n0\r\n");

    Start();
    QApplication::clipboard()->setText("a\nb.htm");
    main_->txtFileName->paste();
    EXPECT_FALSE(main_->txtFileName->text().contains('\n'));
}

TEST_F(MainWindowTest, SavingRefusesAPageThatIsNotTheWeekShownAndNamesTooLong) {
    const std::string data = SampleTimetable();
    StartWith(data, "0");
    std::filesystem::remove(data);
    QTest::mouseClick(main_->btnUp, Qt::LeftButton);  // week 51 cannot be built
    {
        const WarningText warning;
        QTest::mouseClick(main_->btnSave, Qt::LeftButton);
        EXPECT_TRUE(warning.text.contains("week 51")) << warning.text.toStdString();
    }
    EXPECT_FALSE(std::filesystem::exists(AppFile("5 Wetenschappen-Wiskunde - week51.html")));
    main_.reset();

    StartWith(folder_.Write("lang.htm", "<h1>" + std::string(2000, 'k') + "\x1b</h1>\r\n").string(), "0");
    const WarningText warning;
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    EXPECT_TRUE(warning.text.contains("te lang")) << warning.text.toStdString();
    EXPECT_LT(warning.text.size(), 200);
}

TEST_F(MainWindowTest, ACopyIsNeverSavedOverTheDataFile) {
    const std::string data = folder_.Write("4A - week50.html", "<h1>4A</h1>\r\n").string();
    StartWith(data, "0");
    const WarningText warning;
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    EXPECT_TRUE(warning.text.contains("waaruit de weekpagina gemaakt wordt")) << warning.text.toStdString();
    EXPECT_EQ(ReadFile(data), "<h1>4A</h1>\r\n");
}

TEST_F(MainWindowTest, AControlCharacterInARefusedNameIsShownVisibly) {
    StartWith(folder_.Write("kop.htm", "<h1>4A\x1b[2J</h1>\r\n").string(), "0");
    const WarningText warning;
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    EXPECT_TRUE(warning.text.contains("4A\\x1b[2J")) << warning.text.toStdString();
}

TEST_F(MainWindowTest, AWeekPagePlantedAsALinkIsNeverWrittenThrough) {
    const std::filesystem::path own = folder_.Write("eigen.txt", "van de gebruiker");
    std::filesystem::create_symlink(own, AppFile("temp.htm"));
    StartWith(SampleTimetable(), "0");
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));  // from memory
    EXPECT_EQ(ReadFile(own), "van de gebruiker");
    main_->close();
    EXPECT_TRUE(std::filesystem::is_symlink(AppFile("temp.htm")));
    EXPECT_EQ(ReadFile(own), "van de gebruiker");
}

TEST_F(MainWindowTest, SettingsAreKeptThroughALinkButNeverInAFolderOthersCanWrite) {
    // A settings file kept with the user's other dotfiles.
    const std::filesystem::path dotfiles = folder_.Write("dotfiles-prev.ini", "");
    std::filesystem::create_symlink(dotfiles, AppFile("prev.ini"));
    environment_.fileToOpen = SampleTimetable();
    Start();
    main_->close();
    EXPECT_TRUE(std::filesystem::is_symlink(AppFile("prev.ini")));
    EXPECT_EQ(ReadFile(dotfiles), environment_.fileToOpen.string() + "\r\n0\r\n");

    std::filesystem::permissions(folder_.Path(), std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::add);
    environment_.fileToOpen.clear();
    Start();
    EXPECT_EQ(agreementsShown_, 1);
    EXPECT_TRUE(main_->lbInfo->text().contains("Ook anderen kunnen schrijven"));
    std::filesystem::remove(AppFile("prev.ini"));
    main_->close();
    EXPECT_FALSE(std::filesystem::exists(AppFile("prev.ini")));
}

TEST_F(MainWindowTest, TwoCopiesInOneFolderEachKeepTheirOwnPage) {
    StartWith(SampleTimetable(), "0");
    auto first = std::move(main_);
    Start();
    QTest::mouseClick(main_->btnUp, Qt::LeftButton);
    EXPECT_NE(ReadFile(AppFile("temp2.htm")).find("Orbelquint week 51<"), std::string::npos);
    main_->close();
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp2.htm")));
    EXPECT_NE(WeekPage().find("Orbelquint week 50<"), std::string::npos);
    QTest::mouseClick(first->btnSave, Qt::LeftButton);
    EXPECT_EQ(ReadFile(AppFile("5 Wetenschappen-Wiskunde - week50.html")), WeekPage());
    first->close();
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp.htm")));
}

TEST_F(MainWindowTest, AnInstalledProgramWritesOnlyInTheUsersFolders) {
    const std::filesystem::path prefix = folder_.Path() / "prefix";
    std::filesystem::create_directories(prefix / "share/orbelquint");
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::copy_file(AppFile("def.dat"), prefix / "share/orbelquint/def.dat");
    const std::filesystem::path home = folder_.Path() / "thuis";
    std::filesystem::create_directories(home / "Documenten");
    environment_.paths = {false, prefix / "share/orbelquint", home / ".config/orbelquint/prev.ini",
                          home / "run/orbelquint", home / "Documenten"};
    QStringList proposals;
    environment_.saveDialog = [&proposals](QWidget*, const QString& proposed, const QString&) {
        proposals << proposed;
        return proposed;
    };
    environment_.fileToOpen = SampleTimetable();
    Start();
    EXPECT_EQ(agreementsShown_, 1);
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));
    EXPECT_TRUE(std::filesystem::exists(home / "run/orbelquint/temp.htm"));
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    const std::filesystem::path copy = home / "Documenten/5 Wetenschappen-Wiskunde - week50.html";
    EXPECT_EQ(proposals, QStringList{QString::fromStdString(copy.string())});
    EXPECT_EQ(ReadFile(copy), ReadFile(home / "run/orbelquint/temp.htm"));
    main_->close();
    EXPECT_FALSE(std::filesystem::exists(home / "run/orbelquint/temp.htm"));
    EXPECT_EQ(ReadFile(home / ".config/orbelquint/prev.ini"), environment_.fileToOpen.string() + "\r\n0\r\n");

    environment_.fileToOpen.clear();
    Start();
    EXPECT_EQ(agreementsShown_, 0);
    EXPECT_EQ(builds_, 1);
    EXPECT_EQ(std::filesystem::current_path(), folder_.Path());  // the open-file dialog starts by the file
    main_->close();
    std::size_t underPrefix = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(prefix))
        underPrefix += entry.is_regular_file();
    EXPECT_EQ(underPrefix, 1u);  // def.dat only
}

TEST_F(MainWindowTest, TheDataFileIsFollowedThroughRenamesAndRemoval) {
    const std::string data = SampleTimetable();
    StartWith(data, "0");
    const auto replaceWith = [&](const std::string& heading) {
        const std::filesystem::path fresh = folder_.Write("nieuw.htm", "<h1>" + heading + "</h1>\r\n");
        std::filesystem::rename(fresh, data);
    };
    for (const char* heading : {"4A", "4B"}) {
        replaceWith(heading);
        EXPECT_TRUE(QTest::qWaitFor([&] { return main_->lbRichting->text() == heading; }, 3000)) << heading;
    }
    // An edit in place of the file that a rename brought is noticed too, once the folder's echo of
    // the page just written has settled.
    QTest::qWait(600);
    std::ofstream(data, std::ios::binary | std::ios::trunc) << "<h1>4D</h1>\r\n";
    EXPECT_TRUE(QTest::qWaitFor([&] { return main_->lbRichting->text() == "4D"; }, 3000));
    std::filesystem::remove(data);
    EXPECT_TRUE(QTest::qWaitFor([&] { return main_->lbInfo->text().contains("verdwenen"); }, 3000));
    EXPECT_TRUE(Shown().contains("4D"));
    replaceWith("4C");
    EXPECT_TRUE(QTest::qWaitFor([&] { return main_->lbRichting->text() == "4C"; }, 3000));
}

TEST_F(MainWindowTest, DataFileNamesThatAreNotUtf8AreKeptAsTheirBytes) {
    const std::string timetable = ReadFile(test_support::SampleDataFile());
    const std::filesystem::path latin1 = folder_.Write("rooster \xE9.htm", timetable);
    const std::filesystem::path raw = folder_.Write("\xFF\xFE.htm", timetable);
    const auto remembered = [this] { return ReadFile(AppFile("prev.ini")); };

    StartWith(latin1.string(), "0");
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
    EXPECT_TRUE(main_->txtFileName->text().endsWith("rooster \u00E9.htm"));  // readable
    main_->close();
    EXPECT_EQ(remembered(), latin1.string() + "\r\n0\r\n");

    environment_.fileToOpen = raw;
    Start();
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
    main_->close();
    EXPECT_EQ(remembered(), raw.string() + "\r\n0\r\n");

    // The dialog gives the name with replacement characters.
    environment_.fileToOpen.clear();
    folder_.Write("prev.ini", "ander.htm\r\n0\r\n");
    Start();
    dialogAnswers_ = {PathText(latin1)};
    QTest::mouseClick(main_->btnBrowse, Qt::LeftButton);
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
    main_->close();
    EXPECT_EQ(remembered(), latin1.string() + "\r\n0\r\n");
}

TEST_F(MainWindowTest, WeekKeysWorkInBothWindowsAndLeavePageDownToTheViewer) {
    StartWith(SampleTimetable(), "0");
    QApplication::setActiveWindow(main_.get());
    QTest::keyClick(main_.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(main_->CurrentWeek(), 51);
    Display* viewer = main_->Viewer();
    QApplication::setActiveWindow(viewer);
    QTest::keyClick(viewer, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(main_->CurrentWeek(), 50);
    viewer->brwView->setFocus();
    QTest::keyClick(viewer->brwView, Qt::Key_PageDown);
    EXPECT_EQ(main_->CurrentWeek(), 50);
    QTest::keyClick(viewer, Qt::Key_Home, Qt::AltModifier);
    EXPECT_EQ(main_->Cal->selectedDate(), QDate(2026, 12, 8));
    const ModalAnswerer printDialog(Close);
    QTest::keyClick(viewer, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printDialog.Count(), 1);
}

TEST_F(MainWindowTest, ExportsThePdfAndOpensADroppedFile) {
    Start();
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(QString::fromStdString(SampleTimetable()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(main_.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(main_.get(), &drop);
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");

    const std::filesystem::path pdf = AppFile("5 Wetenschappen-Wiskunde - week50.pdf");
    environment_.saveDialog = [](QWidget*, const QString& proposed, const QString&) { return proposed; };
    main_.reset();
    StartWith(SampleTimetable(), "0");
    QTest::mouseClick(main_->btnExportPdf, Qt::LeftButton);
    EXPECT_TRUE(ReadFile(pdf).starts_with("%PDF-"));
}

TEST_F(MainWindowTest, TheCalendarMarksTheChangeWeeksAndTheWeeksCovered) {
    StartWith(SampleTimetable(), "0");
    const QTextCharFormat change = main_->Cal->dateTextFormat(QDate(2026, 12, 23));  // week 52
    EXPECT_EQ(change.fontWeight(), QFont::Bold);
    EXPECT_EQ(change.toolTip(), "Het rooster verandert in week 52");
    const QTextCharFormat covered = main_->Cal->dateTextFormat(QDate(2026, 12, 16));  // week 51
    EXPECT_NE(covered.fontWeight(), QFont::Bold);
    EXPECT_TRUE(covered.background().style() != Qt::NoBrush);
    main_->Cal->setCurrentPage(2027, 9);  // another year, by the same week numbers
    EXPECT_EQ(main_->Cal->dateTextFormat(QDate(2027, 9, 1)).fontWeight(), QFont::Bold);  // week 36
    EXPECT_TRUE(Shown().contains("nieuw deze week"));
    main_->chMarks->click();
    EXPECT_FALSE(Shown().contains("nieuw deze week"));
}

TEST(ScreenPlacementTest, WindowsAreMovedAndShrunkIntoTheFreeArea) {
    const QRect screen(0, 0, 800, 600);
    const std::pair<QRect, QRect> cases[] = {
        {{10, 10, 300, 200}, {10, 10, 300, 200}},
        {{505, 24, 700, 520}, {100, 24, 700, 520}},
        {{-50, 590, 300, 200}, {0, 400, 300, 200}},
        {{24, 24, 1000, 700}, {0, 0, 800, 600}},
    };
    for (const auto& [frame, kept] : cases)
        EXPECT_EQ(KeptInside(frame, screen), kept);
}

TEST(ScreenPlacementTest, AWindowOffTheScreenIsMovedOntoIt) {
    QWidget window;
    window.resize(300, 200);
    window.show();
    const QRect available = window.screen()->availableGeometry();
    window.move(available.bottomRight() + QPoint(400, 300));
    KeepOnScreen(window);
    EXPECT_TRUE(available.contains(window.frameGeometry())) << window.frameGeometry().x();
}

}  // namespace
}  // namespace orbelquint
