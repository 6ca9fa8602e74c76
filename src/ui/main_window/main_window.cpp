#include "ui/main_window/main_window.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

#include "core/files/settings_file.h"
#include "core/files/week_page_session.h"
#include "core/text/float_text.h"
#include "core/text/number_text.h"
#include "core/timetable/report_texts.h"
#include "core/weeks/week_navigation.h"
#include "core/weeks/week_number.h"
#include "ui/calendar_dates.h"
#include "ui/main_window/calendar_marks.h"
#include "ui/main_window/data_file_watch.h"
#include "ui/page_decoding.h"
#include "ui/path_text.h"
#include "ui/viewer/display.h"
#include "ui/viewer/page_view.h"
#include "ui/viewer/week_grid_view.h"
#include "ui/widgets/file_drop.h"
#include "ui/widgets/screen_placement.h"
#include "ui/widgets/twips.h"
#include "version.h"

namespace orbelquint {
namespace {

// Room between the windows and around them on the screen, in pixels.
constexpr int kScreenMargin = 24;

std::int16_t WeekOf(QDate date) {
    return WeekOfDate(ToCalendarDate(date));
}

}  // namespace

Main::Main(MainEnvironment environment) : environment_(std::move(environment)) {
    setWindowTitle("OrbelQuint");
    QIcon icon;
    for (const char* size : {"16", "32", "48"})
        icon.addFile(QString(":/icons/%1/" ORBELQUINT_ID ".png").arg(size));
    setWindowIcon(icon);
    // Laid out in twips, grown with the desktop's font: fixed in size for a given font.
    twips_ = TwipScaleFor(font());
    setFixedSize(Pixels(6855, twips_.across), Pixels(5355, twips_.down));
    move(screen()->availableGeometry().topLeft() + QPoint(kScreenMargin, kScreenMargin));
    CreateControls();
    // Texts from the data file and messages naming files are shown as they are, never as HTML.
    for (QLabel* label : {lbRichting, lbInfo, lbFirstChange})
        label->setTextFormat(Qt::PlainText);
    // The settings file keeps one name per line: a line break cannot be part of one.
    txtFileName->setValidator(new QRegularExpressionValidator(QRegularExpression("[^\\r\\n]*"), txtFileName));
    NameControls();
    SetTabOrder();
    ConnectHandlers();
    AddWeekShortcuts(*this, Actions());
    new FileDrop(*this, [this](const QString& file) { OpenDataFile(file); });
    txtFileName->setFocus();
}

Main::~Main() {
    delete display_;
}

Display* Main::Viewer() const {
    return display_ && display_->isVisible() ? display_.data() : nullptr;
}

void Main::btnBrowse_Click() {
    const QString chosen = environment_.openDialog(this, "Webpaginas (*.htm*)", "Gegevens inladen");
    if (chosen == "cancel") return;
    OpenDataFile(chosen);
}

// A data file chosen with "..." or dropped on a window: its page of the current week is built.
void Main::OpenDataFile(const QString& file) {
    ShowDataFile(ExistingPathOf(file).string());
    dataLoaded_ = true;
    BuildWeekPage();
}

// The file changed on disk, or F5 asks to read it again: the calendar's marks are made anew too.
void Main::DataFileChanged() {
    markedFor_.clear();
    BuildWeekPage();
}

// The page shown stays; it comes back up to date when the file does.
void Main::DataFileVanished() {
    lbInfo->setText("Het gegevensbestand is verdwenen; de weekpagina blijft staan tot het terug is.");
}

void Main::btnShowData_Click() {
    Display& viewer = ShowViewer();
    viewer.brwView->MarkLessonsOf(std::nullopt);
    if (dataLoaded_) viewer.brwView->Navigate(DataFileName());
    ShowMain();
}

void Main::chReeks_Click() {
    BuildWeekPage();
}

// Typing a series switches the filter on; the check box's own handler then rebuilds.
void Main::txtReeks_Change() {
    if (!chReeks->isChecked()) {
        chReeks->setChecked(true);
        return;
    }
    BuildWeekPage();
}

void Main::btnToday_Click() {
    const QDate today = environment_.today();
    SetCalendarDate(today);
    SetWeek(WeekOf(today));
}

void Main::btnUp_Click() {
    SetCalendarDate(Cal->selectedDate().addDays(7));
    MakeCalendarWeekCurrent();
}

void Main::btnDown_Click() {
    SetCalendarDate(Cal->selectedDate().addDays(-7));
    MakeCalendarWeekCurrent();
}

void Main::Cal_Click() {
    MakeCalendarWeekCurrent();
}

// A typed week number moves the calendar to the nearest day of that week, in the direction of the
// number; numbers that are no week leave everything as it is.
void Main::txtWeek_Change() {
    const double typed = LeadingNumber(txtWeek->text().toStdString());
    if (typed == 0) return;
    const auto date = SearchTypedWeek(ToCalendarDate(Cal->selectedDate()), typed, currentWeek_);
    if (!date) return;
    SetCalendarDate(ToQDate(*date));
    SetWeek(static_cast<std::int16_t>(typed));
}

// Shows the week in the week box without running the box's handler, so each change of week
// builds the page once.
void Main::SetWeek(std::int16_t week) {
    currentWeek_ = week;
    {
        const QSignalBlocker quiet(txtWeek);
        txtWeek->setText(QString::number(week));
    }
    BuildWeekPage();
    ShowSaveCaption();
}

// Builds the page of the week, data file and series shown, and shows it with its report.
void Main::BuildWeekPage() {
    const WeekPageRequest request = Request();
    FollowDataFile(request.dataFile);
    // A folder that takes no week page (read-only, or none of the user's own) still lets the user
    // see the page: it is built in memory and handed to the viewer as it is.
    const WeekPageResult result = page_->Build(request);
    if (result.status == BuildStatus::NoDataFile) return;
    ShowMarks(result, request);
    if (result.status != BuildStatus::Complete) {
        lbInfo->setText(DecodeDataText(result.message));
        return;
    }
    ShowReport(result.report, request.dataFile);
    ShowPage();
    Label1->setText(kDescription);
    Label1->setToolTip({});
    Label1->setAccessibleName({});
    emit WeekPageBuilt();
}

WeekPageRequest Main::Request() const {
    WeekPageRequest request;
    request.dataFile = DataFileName();
    request.currentWeek = currentWeek_;
    request.seriesFilter = chReeks->isChecked();
    request.chosenSeries = LeadingNumber(txtReeks->text().toStdString());
    request.templateFile = environment_.paths.PageTemplateFile();
    return request;
}

// The page is built again when the data file changes on disk.
void Main::FollowDataFile(const std::string& dataFile) {
    if (dataFile == watchedFile_) return;
    watchedFile_ = dataFile;
    watch_->Watch(dataFile);
}

void Main::ShowReport(const WeekPageReport& report, const std::string& dataFile) {
    lbRichting->setText(DecodeDataText(report.heading));
    QString info = QString::fromStdString(InfoText(report));
    if (!CanBeRemembered(dataFile)) info += "\nNaam met regeleinde: niet onthouden.";
    lbInfo->setText(info);
    lbFirstChange->setText(QString::fromStdString(FirstChangeText(report)));
    ShowSaveCaption();
}

// The marks and the view change how the page is shown, not the page: one that is current is shown
// again without reading the data file.
void Main::ShowPageAgain() {
    if (page_->IsCurrent()) return ShowPage();
    BuildWeekPage();
}

void Main::ShowPage() {
    Display& viewer = ShowViewer();
    ShowMain();
    const std::optional<int> marksWeek =
        chMarks->isChecked() ? std::optional<int>(currentWeek_) : std::nullopt;
    viewer.ShowView(ShownView());
    if (ShownView() == WeekView::Grid) {
        const auto page = page_->Start(PageView::kShownBytes);
        viewer.grdWeek->ShowWeekPage(QByteArray::fromStdString(page.value_or("")), currentWeek_, marksWeek);
        return;
    }
    viewer.brwView->MarkLessonsOf(marksWeek);
    if (page_->InMemory()) {
        viewer.brwView->ShowPage(QByteArray::fromStdString(page_->PageInMemory()));
    } else {
        viewer.brwView->Navigate(page_->File());
    }
}

// The calendar's marks follow the data file and the series filter, not the week.
void Main::ShowMarks(const WeekPageResult& result, const WeekPageRequest& request) {
    if (result.status != BuildStatus::Complete) {
        calendarMarks_->Clear();
        markedFor_.clear();
        return;
    }
    const std::string markedFor =
        request.dataFile + '\n' + (request.seriesFilter ? NumberText(request.chosenSeries) : std::string());
    if (markedFor == markedFor_) return;
    markedFor_ = markedFor;
    calendarMarks_->Show(result.report.changeWeeks, result.report.minWeek, result.report.maxWeek);
}

void Main::SetCalendarDate(QDate date) {
    const QSignalBlocker quiet(Cal);
    Cal->setSelectedDate(date);
}

void Main::MakeCalendarWeekCurrent() {
    SetWeek(WeekOf(Cal->selectedDate()));
}

Display& Main::ShowViewer() {
    // A viewer the user closed is deleting itself; its successor starts empty.
    if (!Viewer()) {
        display_ = new Display();
        AddWeekShortcuts(*display_, Actions());
        new FileDrop(*display_, [this](const QString& file) { OpenDataFile(file); });
        display_->show();
        PlaceViewer();
    }
    display_->show();
    display_->raise();
    display_->activateWindow();
    return *display_;
}

// Beside the main window's frame, narrowed to the room there down to half its width; on a screen
// with less room it overlaps the main window.
void Main::PlaceViewer() {
    const int left = frameGeometry().right() + 1 + kScreenMargin;
    const int room = display_->screen()->availableGeometry().right() + 1 - left;
    const int frameWidth = display_->frameGeometry().width() - display_->width();
    const int width = std::min(display_->width(), room - frameWidth);
    if (width >= display_->width() / 2) display_->resize(width, display_->height());
    display_->move(left, frameGeometry().top());
    KeepOnScreen(*display_);
    viewerPlacedAt_ = display_->pos();
}

// The window manager frames a window only once it is shown, around where it was put: the viewer
// has not been moved by the user while its frame or its inside stands where it was placed.
void Main::KeepViewerBeside() {
    if (!Viewer()) return;
    if (display_->pos() == viewerPlacedAt_ || display_->geometry().topLeft() == viewerPlacedAt_)
        PlaceViewer();
}

void Main::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    KeepViewerBeside();
}

void Main::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    KeepViewerBeside();
}

void Main::ShowMain() {
    show();
    raise();
    activateWindow();
}

std::string Main::DataFileName() const {
    const QString shown = txtFileName->text();
    return shown == dataFileShown_ ? dataFile_ : PathOf(shown).string();
}

// Shows the data file `name` in the file box in a readable form, also where the name is not UTF-8,
// and keeps its bytes for opening and remembering it.
void Main::ShowDataFile(std::string name) {
    dataFileShown_ = DecodeDataText(name);
    dataFile_ = std::move(name);
    txtFileName->setText(dataFileShown_);
}

// The save name is made afresh from the heading and the week whenever it is needed.
QString Main::SaveNameText() const {
    return QString::fromStdString(SaveName(lbRichting->text().toStdString(), currentWeek_));
}

void Main::ShowSaveCaption() {
    btnSave->setText("Opslaan als " + SaveNameText());
}

}  // namespace orbelquint
