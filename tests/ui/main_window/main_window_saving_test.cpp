// The main window saving copies and exporting PDFs, and refusing where that cannot be done safely.
#include <QProgressDialog>

#include "ui/main_window/main_window_fixture.h"

namespace orbelquint {
namespace {

using namespace test_support;

TEST_F(MainWindowTest, SavingCopiesTheWeekPageAndReplacesAnEarlierCopy) {
    StartWith(SampleTimetable(), "0");
    const std::filesystem::path copy = AppFile("5 Wetenschappen-Wiskunde - week50.html");
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    EXPECT_EQ(ReadFile(copy), WeekPage());
    // The bottom line says where the copy went, until the next page.
    EXPECT_TRUE(main_->Label1->toolTip().contains(QString::fromStdString(copy.string())));
    EXPECT_TRUE(main_->Label1->text().startsWith("Opgeslagen als"));

    QTest::keyClicks(main_->txtReeks, "1");
    EXPECT_EQ(main_->Label1->text(), "OrbelQuint: het lesrooster van je klas, week per week.");
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

TEST_F(MainWindowTest, SavingRefusesAPageThatIsNotTheWeekShown) {
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
}

TEST_F(MainWindowTest, SavingRefusesANameTooLongForAFile) {
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

// A PDF that takes long is made while the window goes on answering, shows its progress and can be
// cancelled; then nothing is written. The progress shows at once here, so that no machine is too
// fast for it.
TEST_F(MainWindowTest, ALongExportShowsItsProgressAndCanBeCancelled) {
    std::string data = "<h1>4A</h1>\r\n<pre>\r\n";
    for (const char* day : {"Maandag", "Dinsdag", "Woensdag", "Donderdag", "Vrijdag"}) {
        data += std::string("<h3>") + day + "</h3><pre>";
        for (int lesson = 0; lesson < 3000; ++lesson)
            data += std::to_string(1 + lesson % 8) + "  WIS  PEE 01-52 B104  Les " + std::to_string(lesson) +
                    "    \r\n";
        data += "</pre>\r\n";
    }
    const std::filesystem::path pdf = AppFile("4A - week50.pdf");
    environment_.saveDialog = [](QWidget*, const QString& proposed, const QString&) { return proposed; };
    environment_.progressAfter = std::chrono::milliseconds(0);
    StartWith(folder_.Write("groot.htm", data).string(), "0");
    main_->chGrid->click();
    QString shown;
    const ModalAnswerer cancel([&shown](QWidget* modal) {
        if (auto* progress = qobject_cast<QProgressDialog*>(modal)) {
            shown = progress->labelText();
            progress->cancel();
        }
    });
    QTest::mouseClick(main_->btnExportPdf, Qt::LeftButton);
    EXPECT_TRUE(shown.startsWith("De PDF wordt gemaakt")) << shown.toStdString();
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_FALSE(main_->Label1->text().startsWith("Opgeslagen"));
}

TEST_F(MainWindowTest, ExportsThePdfOfTheWeekShown) {
    const std::filesystem::path pdf = AppFile("5 Wetenschappen-Wiskunde - week50.pdf");
    environment_.saveDialog = [](QWidget*, const QString& proposed, const QString&) { return proposed; };
    StartWith(SampleTimetable(), "0");
    QTest::mouseClick(main_->btnExportPdf, Qt::LeftButton);
    EXPECT_TRUE(ReadFile(pdf).starts_with("%PDF-"));
}

}  // namespace
}  // namespace orbelquint
