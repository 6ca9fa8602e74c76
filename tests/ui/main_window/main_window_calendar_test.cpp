// The school year as a calendar from the window: the dialog, what it remembers, and the file.
#include <QApplication>
#include <QDateEdit>
#include <QFontMetrics>
#include <QListWidget>
#include <QTableWidget>

#include "core/weeks/bell_times.h"
#include "ui/calendar_export/calendar_dialog.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/path_text.h"

namespace orbelquint {
namespace {

using namespace test_support;
using namespace std::chrono;

QPushButton* Button(QWidget* dialog, const QString& text) {
    for (auto* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

// Opened by its key from any field; the school year of the day and the default bell times to begin
// with; the file is written where the bottom line says, the choice is remembered in the bell-time
// file's own form, and the next dialog starts from it; a bad row keeps the dialog open.
TEST_F(MainWindowTest, ExportsTheSchoolYearAsACalendarAndRemembersItsTimes) {
    environment_.saveDialog = [](QWidget*, const QString& proposed, const QString&) { return proposed; };
    StartWith(SampleTimetable(), "0");
    int dialogs = 0;
    {
        const ModalAnswerer answer([&dialogs](QWidget* modal) {
            auto* dialog = qobject_cast<CalendarDialog*>(modal);
            if (dialog == nullptr) return;
            ++dialogs;
            EXPECT_EQ(dialog->dtFrom->date(), QDate(2026, 9, 1));
            EXPECT_EQ(dialog->dtTo->date(), QDate(2027, 6, 30));
            EXPECT_EQ(dialog->tblBellTimes->rowCount(), 8);
            dialog->dtFreeFrom->setDate(QDate(2026, 11, 2));
            dialog->dtFreeTo->setDate(QDate(2026, 11, 6));
            Button(dialog, "&Dagen toevoegen")->click();
            dialog->tblBellTimes->item(0, 1)->setText("8:30");
            dialog->accept();
        });
        QApplication::setActiveWindow(main_.get());
        main_->txtWeek->setFocus();
        QTest::keyClick(main_->txtWeek, Qt::Key_G, Qt::ControlModifier);
    }
    EXPECT_EQ(dialogs, 1);
    const std::filesystem::path calendar = AppFile("5 Wetenschappen-Wiskunde.ics");
    const std::string ics = ReadFile(calendar);
    EXPECT_TRUE(ics.starts_with("BEGIN:VCALENDAR\r\n"));
    EXPECT_NE(ics.find("T083000\r\n"), std::string::npos);
    EXPECT_EQ(ics.find("DTSTART;TZID=Europe/Brussels:20261103"), std::string::npos);
    EXPECT_TRUE(main_->Label1->toolTip().contains(PathText(calendar)));
    EXPECT_EQ(main_->Label1->accessibleName(), main_->Label1->toolTip());
    EXPECT_TRUE(main_->Label1->text().endsWith("afspraken.")) << main_->Label1->text().toStdString();
    BellTimes bells = DefaultBellTimes();
    bells[1].start = 8 * 60 + 30;
    const SchoolTimes remembered{bells, {{2026y / 11 / 2, 2026y / 11 / 6}}};
    EXPECT_EQ(ReadFile(AppFile("beltijden.txt")), BellTimesText(remembered));

    bool warned = false;
    const ModalAnswerer answer([&warned](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            warned = box->text().contains("rij 2");
            box->close();
            return;
        }
        auto* dialog = qobject_cast<CalendarDialog*>(modal);
        if (dialog == nullptr) return;
        if (warned) return dialog->reject();
        EXPECT_EQ(dialog->lstFreeDays->count(), 1);
        EXPECT_EQ(dialog->tblBellTimes->item(0, 1)->text(), "08:30");
        dialog->tblBellTimes->item(1, 2)->setText("09:00");  // before it begins
        // Later, so that the warning it shows is answered meanwhile.
        QMetaObject::invokeMethod(dialog, &CalendarDialog::accept, Qt::QueuedConnection);
    });
    std::filesystem::remove(calendar);
    main_->btnCalendar->click();
    EXPECT_TRUE(warned);
    EXPECT_FALSE(std::filesystem::exists(calendar));
}

// The bell-time file is kept under the settings' rules: never read from or written into a folder
// others can write, never written through a link.
TEST_F(MainWindowTest, TheBellTimesAreKeptOnlyWhereTheSettingsAre) {
    environment_.saveDialog = [](QWidget*, const QString& proposed, const QString&) { return proposed; };
    const std::string planted = "1 06:00-06:50\n";
    const std::filesystem::path others = folder_.Write("others.txt", "KEEP\n");
    const auto exportOnce = [this](const char* firstStart) {
        const ModalAnswerer answer([firstStart](QWidget* modal) {
            auto* dialog = qobject_cast<CalendarDialog*>(modal);
            if (dialog == nullptr) return;
            EXPECT_EQ(dialog->tblBellTimes->item(0, 1)->text(), firstStart);
            dialog->accept();
        });
        main_->btnCalendar->click();
    };
    StartWith(SampleTimetable(), "0");
    std::filesystem::create_symlink(others, AppFile("beltijden.txt"));
    exportOnce("08:25");
    EXPECT_EQ(ReadFile(others), "KEEP\n");
    EXPECT_TRUE(main_->Label1->toolTip().contains("beltijden")) << main_->Label1->toolTip().toStdString();
    main_->close();

    std::filesystem::remove(AppFile("beltijden.txt"));
    folder_.Write("beltijden.txt", planted);
    std::filesystem::permissions(folder_.Path(), std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::add);
    environment_.fileToOpen = SampleTimetable();
    Start();
    exportOnce("08:25");  // the planted times are not read
    EXPECT_EQ(ReadFile(AppFile("beltijden.txt")), planted);
    main_->close();
    std::filesystem::permissions(folder_.Path(), std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
}

// A message too long for its line leaves out the middle of its file name first, so what it says of
// the file stays whole; only a line too short even for that cuts the message.
TEST(CalendarChoiceTest, AStatusLeavesOutTheMiddleOfItsFileNameFirst) {
    const QFontMetrics metrics(QApplication::font());
    const QString path = "/home/leerling/Documenten/school/agenda's/" + QString(40, 'x') + "/5WW.ics";
    const QString text = "Agenda opgeslagen als \"" + path + "\": 31 afspraken, 2 lessen weggelaten.";
    const int width = metrics.horizontalAdvance(text) / 2;
    const QString fitted = FittedText(text, path, metrics, width);
    EXPECT_LE(metrics.horizontalAdvance(fitted), width);
    EXPECT_TRUE(fitted.startsWith("Agenda opgeslagen als \"/home")) << fitted.toStdString();
    EXPECT_TRUE(fitted.endsWith("5WW.ics\": 31 afspraken, 2 lessen weggelaten.")) << fitted.toStdString();
    EXPECT_EQ(FittedText(text, path, metrics, metrics.horizontalAdvance(text)), text);
    EXPECT_LE(metrics.horizontalAdvance(FittedText(text, path, metrics, 40)), 40);
}

TEST(CalendarChoiceTest, RowsAreReadByTheBellTimeFilesRuleAndNamesArePlain) {
    const std::vector<DateRange> free = {{2027y / 1 / 4, 2027y / 1 / 8}};
    const auto read =
        SchoolTimesOfRows({{"2", "9:15", "10:05"}, {"", " ", ""}, {" 1 ", "08:25", "09:15"}}, free);
    const SchoolTimes expected{{{1, {505, 555}}, {2, {555, 605}}}, free};
    EXPECT_EQ(std::get<SchoolTimes>(read), expected);
    // A bad cell is named by its row, also where the file would read a comment or a line end.
    const BellRow bad[] = {{"1", "10:00", "11:00"}, {"#3", "10:00", "11:00"},
                           {"#", "", ""},           {"3", "10:00\n4 11:00", "11:00"},
                           {"3", "10:00", ""},      {"3", "11:00", "10:00"}};
    for (const BellRow& row : bad) {
        const auto refused = SchoolTimesOfRows({{"1", "08:25", "09:15"}, row}, {});
        ASSERT_TRUE(std::holds_alternative<BellTimesProblem>(refused)) << row.hour.toStdString();
        EXPECT_EQ(std::get<BellTimesProblem>(refused).line, 2U);
    }
}

}  // namespace
}  // namespace orbelquint
