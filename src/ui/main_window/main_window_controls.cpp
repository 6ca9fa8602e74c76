// The main window's controls: where each stands, what it is called and what it does.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "ui/main_window/calendar_marks.h"
#include "ui/main_window/data_file_watch.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/wrap_button.h"

namespace orbelquint {
namespace {

// Creates a control in its container at a place given in twips.
template <class Control, class... Arguments>
Control* Place(const TwipScale& scale, QWidget* container, int left, int top, int width, int height,
               Arguments&&... arguments) {
    auto* control = new Control(std::forward<Arguments>(arguments)..., container);
    control->setGeometry(TwipsRect(left, top, width, height, scale));
    return control;
}

QLabel* PlaceLabel(const TwipScale& scale, QWidget* container, int left, int top, int width, int height) {
    auto* label = Place<QLabel>(scale, container, left, top, width, height, QString());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

void Main::CreateControls() {
    Frame2 = Place<QGroupBox>(twips_, this, 120, 120, 3255, 2175, "Gegevensbestand ");
    txtFileName = Place<QLineEdit>(twips_, Frame2, 120, 360, 2535, 285);
    btnBrowse = Place<QPushButton>(twips_, Frame2, 2760, 360, 375, 255, "...");
    lbRichting = PlaceLabel(twips_, Frame2, 120, 720, 3015, 495);
    lbInfo = PlaceLabel(twips_, Frame2, 120, 1200, 3015, 615);
    btnShowData = Place<QPushButton>(twips_, Frame2, 1080, 1800, 2055, 255, "Gegevens Weergeven");

    Frame3 = Place<QGroupBox>(twips_, this, 120, 2400, 3255, 1095, "Reeks ");
    chReeks = Place<QCheckBox>(twips_, Frame3, 120, 360, 3015, 255, "Alleen lessen tonen voor reeks");
    txtReeks = Place<QLineEdit>(twips_, Frame3, 1920, 600, 1095, 285);

    Frame1 = Place<QGroupBox>(twips_, this, 3480, 120, 3255, 3375, "Week ");
    btnDown = Place<QPushButton>(twips_, Frame1, 240, 360, 375, 255, "<");
    txtWeek = Place<QLineEdit>(twips_, Frame1, 720, 360, 735, 285);
    btnUp = Place<QPushButton>(twips_, Frame1, 1560, 360, 375, 255, ">");
    btnToday = Place<QPushButton>(twips_, Frame1, 2040, 360, 855, 255, "Vandaag");
    Cal = Place<QCalendarWidget>(twips_, Frame1, 240, 720, 2775, 2415);
    // The calendar numbers weeks the ISO way, which differs from the school's numbering in the
    // week box, so it shows none; a smaller font fits its month into the box.
    Cal->setFirstDayOfWeek(Qt::Monday);
    Cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Cal->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    Cal->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    QFont calendarFont = Cal->font();
    calendarFont.setPointSizeF(calendarFont.pointSizeF() * 0.85);
    Cal->setFont(calendarFont);

    lbFirstChange = PlaceLabel(twips_, this, 120, 3600, 3255, 615);
    // The save caption names the file, which is often longer than one line of the button.
    btnSave = Place<WrapButton>(twips_, this, 3480, 3600, 3255, 615, "Opslaan als ");
    chMarks = Place<QCheckBox>(twips_, this, 120, 4320, 2220, 255, "Veranderingen markeren");
    chMarks->setChecked(true);
    chGrid = Place<QCheckBox>(twips_, this, 2400, 4320, 975, 255, "Raster");
    btnPrint = Place<QPushButton>(twips_, this, 3480, 4320, 1140, 255, "Afdrukken ...");
    btnExportPdf = Place<QPushButton>(twips_, this, 4725, 4320, 2010, 255, "Exporteren als PDF ...");
    btnCalendar = Place<QPushButton>(twips_, this, 3480, 4680, 3255, 255, "Agenda exporteren ...");
    Label1 = Place<QLabel>(twips_, this, 120, 5040, 6615, 255, kDescription);
    watch_ = new DataFileWatch(this);
    calendarMarks_ = new CalendarMarks(*Cal);
}

// Each control's object name is its member name, so that tests and tools find it; what a screen
// reader says of it; the keys a button's tooltip names.
void Main::NameControls() {
    struct Name {
        QWidget* control;
        const char* objectName;
        const char* accessibleName;
    };
    const Name names[] = {{Frame2, "Frame2", "Gegevensbestand"},
                          {txtFileName, "txtFileName", "Gegevensbestand"},
                          {btnBrowse, "btnBrowse", "Gegevensbestand kiezen"},
                          {lbRichting, "lbRichting", "Richting"},
                          {lbInfo, "lbInfo", "Weken van het gegevensbestand"},
                          {btnShowData, "btnShowData", "Gegevens weergeven"},
                          {Frame3, "Frame3", "Reeks"},
                          {chReeks, "chReeks", "Alleen lessen tonen voor reeks"},
                          {txtReeks, "txtReeks", "Reeks"},
                          {Frame1, "Frame1", "Week"},
                          {btnDown, "btnDown", "Vorige week"},
                          {txtWeek, "txtWeek", "Weeknummer"},
                          {btnUp, "btnUp", "Volgende week"},
                          {btnToday, "btnToday", "Deze week"},
                          {Cal, "Cal", "Kalender"},
                          {lbFirstChange, "lbFirstChange", "Eerste verandering"},
                          {btnSave, "btnSave", "Opslaan als"},
                          {chMarks, "chMarks", "Veranderingen in de week markeren"},
                          {chGrid, "chGrid", "De week als raster tonen"},
                          {btnPrint, "btnPrint", "Afdrukken"},
                          {btnExportPdf, "btnExportPdf", "Exporteren als PDF"},
                          {btnCalendar, "btnCalendar", "Agenda exporteren"},
                          {Label1, "Label1", "OrbelQuint"}};
    for (const auto& [control, objectName, accessibleName] : names) {
        control->setObjectName(objectName);
        control->setAccessibleName(accessibleName);
    }
    btnBrowse->setToolTip("Gegevensbestand kiezen (Ctrl+O)");
    btnDown->setToolTip("Vorige week (Alt+Links, Ctrl+PgUp)");
    btnUp->setToolTip("Volgende week (Alt+Rechts, Ctrl+PgDown)");
    btnToday->setToolTip("Deze week (Alt+Home)");
    btnSave->setToolTip("Een kopie van de weekpagina opslaan (Ctrl+S)");
    chGrid->setToolTip("De week als raster tonen: de dagen naast elkaar, de lesuren onder elkaar");
    btnPrint->setToolTip("De weekpagina afdrukken (Ctrl+P)");
    btnExportPdf->setToolTip("De weekpagina als PDF opslaan (Ctrl+E)");
    btnCalendar->setToolTip("De lessen van het schooljaar als agenda (iCalendar) opslaan (Ctrl+G)");
}

WeekActions Main::Actions() {
    return {[this] { btnUp_Click(); },        [this] { btnDown_Click(); },     [this] { btnToday_Click(); },
            [this] { btnBrowse_Click(); },    [this] { btnSave_Click(); },     [this] { btnPrint_Click(); },
            [this] { btnExportPdf_Click(); }, [this] { btnCalendar_Click(); }, [this] { DataFileChanged(); }};
}

void Main::SetTabOrder() {
    QWidget* const order[] = {txtFileName,  btnBrowse,   txtWeek, btnDown, btnUp,  btnToday,
                              btnShowData,  Cal,         btnSave, chMarks, chGrid, btnPrint,
                              btnExportPdf, btnCalendar, chReeks, txtReeks};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Main::ConnectHandlers() {
    connect(btnBrowse, &QPushButton::clicked, this, &Main::btnBrowse_Click);
    connect(btnShowData, &QPushButton::clicked, this, &Main::btnShowData_Click);
    connect(btnSave, &QPushButton::clicked, this, &Main::btnSave_Click);
    connect(btnPrint, &QPushButton::clicked, this, &Main::btnPrint_Click);
    connect(btnExportPdf, &QPushButton::clicked, this, &Main::btnExportPdf_Click);
    connect(btnCalendar, &QPushButton::clicked, this, &Main::btnCalendar_Click);
    connect(chMarks, &QCheckBox::toggled, this, &Main::ShowPageAgain);
    connect(chGrid, &QCheckBox::toggled, this, &Main::ShowPageAgain);
    connect(watch_, &DataFileWatch::Changed, this, &Main::DataFileChanged);
    connect(watch_, &DataFileWatch::Vanished, this, &Main::DataFileVanished);
    connect(chReeks, &QCheckBox::toggled, this, &Main::chReeks_Click);
    connect(txtReeks, &QLineEdit::textChanged, this, &Main::txtReeks_Change);
    connect(btnToday, &QPushButton::clicked, this, &Main::btnToday_Click);
    connect(btnUp, &QPushButton::clicked, this, &Main::btnUp_Click);
    connect(btnDown, &QPushButton::clicked, this, &Main::btnDown_Click);
    // Raised by the user's picks only: the program's own changes block the calendar's signals.
    connect(Cal, &QCalendarWidget::selectionChanged, this, &Main::Cal_Click);
    connect(txtWeek, &QLineEdit::textChanged, this, &Main::txtWeek_Change);
}

}  // namespace orbelquint
