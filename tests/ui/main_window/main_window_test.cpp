// The main window at start, as the week, the series and the data file change.
#include "ui/main_window/main_window_fixture.h"
#include "ui/mark_colours.h"

namespace orbelquint {
namespace {

using namespace test_support;

TEST_F(MainWindowTest, TheWindowIsLaidOutAsDesigned) {
    StartWith(SampleTimetable(), "0");
    EXPECT_EQ(main_->windowTitle(), "OrbelQuint");
    EXPECT_EQ(main_->size(), QSize(457, 357));
    EXPECT_EQ(main_->Frame2->title(), "Gegevensbestand ");
    EXPECT_EQ(main_->Frame3->title(), "Reeks ");
    EXPECT_EQ(main_->Frame1->title(), "Week ");
    EXPECT_EQ(main_->btnShowData->text(), "Gegevens Weergeven");
    EXPECT_EQ(main_->chReeks->text(), "Alleen lessen tonen voor reeks");
    EXPECT_EQ(main_->Cal->geometry(), QRect(16, 48, 185, 161));
    EXPECT_EQ(main_->btnSave->geometry(), QRect(232, 240, 217, 41));

    QApplication::setActiveWindow(main_.get());
    EXPECT_EQ(QApplication::focusWidget(), main_->txtFileName);
    const QWidget* tabOrder[] = {main_->btnBrowse,   main_->txtWeek,     main_->btnDown,  main_->btnUp,
                                 main_->btnToday,    main_->btnShowData, main_->Cal,      main_->btnSave,
                                 main_->chMarks,     main_->chGrid,      main_->btnPrint, main_->btnExportPdf,
                                 main_->btnCalendar, main_->chReeks,     main_->txtReeks};
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

TEST_F(MainWindowTest, ADroppedFileIsOpened) {
    Start();
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(QString::fromStdString(SampleTimetable()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(main_.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(main_.get(), &drop);
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
}

TEST_F(MainWindowTest, TheCalendarMarksTheChangeWeeksAndTheWeeksCovered) {
    StartWith(SampleTimetable(), "0");
    const QTextCharFormat change = main_->Cal->dateTextFormat(QDate(2026, 12, 23));  // week 52
    EXPECT_EQ(change.fontWeight(), QFont::Bold);
    EXPECT_TRUE(change.fontUnderline());  // more than a colour tells a change week
    EXPECT_EQ(change.toolTip(), "Het rooster verandert in week 52 (vet en onderstreept)");
    const QTextCharFormat covered = main_->Cal->dateTextFormat(QDate(2026, 12, 16));  // week 51
    EXPECT_NE(covered.fontWeight(), QFont::Bold);
    EXPECT_TRUE(covered.background().style() != Qt::NoBrush);
    EXPECT_EQ(covered.toolTip(), "Week 51 staat in het gegevensbestand");
    // The weekend in the theme's colours, which read on the marks, never a fixed red.
    for (const Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday}) {
        EXPECT_EQ(main_->Cal->weekdayTextFormat(day).foreground().color(),
                  MarkColoursOf(main_->Cal->palette()).weekend);
    }
    main_->Cal->setCurrentPage(2027, 9);  // another year, by the same week numbers
    EXPECT_EQ(main_->Cal->dateTextFormat(QDate(2027, 9, 1)).fontWeight(), QFont::Bold);  // week 36
    EXPECT_TRUE(Shown().contains("nieuw deze week"));
    main_->chMarks->click();
    EXPECT_FALSE(Shown().contains("nieuw deze week"));
}

TEST_F(MainWindowTest, TheGridIsChosenShownMarkedAndRemembered) {
    StartWith(SampleTimetable(), "0");
    Display* viewer = main_->Viewer();
    EXPECT_TRUE(viewer->brwView->isVisible());
    main_->chGrid->click();
    ASSERT_TRUE(viewer->grdWeek->isVisible());
    EXPECT_FALSE(viewer->brwView->isVisible());
    EXPECT_EQ(viewer->grdWeek->columnCount(), 5);
    EXPECT_TRUE(viewer->grdWeek->item(2, 0)->text().contains("nieuw deze week"));
    main_->btnUp->click();  // the next week's grid follows
    EXPECT_FALSE(viewer->grdWeek->item(2, 0)->text().contains("nieuw deze week"));
    main_->close();
    EXPECT_TRUE(ReadFile(AppFile("prev.ini")).ends_with("\r\nmarkeringen aan\r\nweergave raster\r\n"));

    Start();
    EXPECT_TRUE(main_->chGrid->isChecked());
    EXPECT_TRUE(main_->Viewer()->grdWeek->isVisible());
}

}  // namespace
}  // namespace orbelquint
