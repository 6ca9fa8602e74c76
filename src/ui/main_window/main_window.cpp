#include "ui/main_window/main_window.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSignalBlocker>
#include <sstream>
#include <system_error>
#include <utility>

#include "calendar/week_navigation.h"
#include "calendar/week_number.h"
#include "core/atomic_file.h"
#include "core/file_handle.h"
#include "core/number_text.h"
#include "core/report_texts.h"
#include "core/settings_file.h"
#include "core/shipped_names.h"
#include "core/week_page.h"
#include "core/week_page_claim.h"
#include "ui/dialogs/agreement.h"
#include "ui/logging.h"
#include "ui/main_window/calendar_dates.h"
#include "ui/main_window/calendar_marks.h"
#include "ui/main_window/data_file_watch.h"
#include "ui/page_decoding.h"
#include "ui/path_text.h"
#include "ui/printing/page_printing.h"
#include "ui/viewer/display.h"
#include "ui/viewer/page_view.h"
#include "ui/widgets/file_drop.h"
#include "ui/widgets/screen_placement.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/wrap_button.h"
#include "version.h"

namespace orbelquint {
namespace {

// Creates a control in its container at a place given in twips.
template <class Control, class... Arguments>
Control* Place(QWidget* container, int left, int top, int width, int height, Arguments&&... arguments) {
    auto* control = new Control(std::forward<Arguments>(arguments)..., container);
    control->setGeometry(TwipsRect(left, top, width, height));
    return control;
}

QLabel* PlaceLabel(QWidget* container, int left, int top, int width, int height) {
    auto* label = Place<QLabel>(container, left, top, width, height, QString());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The largest week page printed or exported; a real one is a few kilobytes.
constexpr std::size_t kMaxPrintedPage = std::size_t{64} * 1024 * 1024;

// Room between the windows and around them on the screen, in pixels.
constexpr int kScreenMargin = 24;

// The settings file holds one name per line.
bool CanBeRemembered(std::string_view dataFile) {
    return dataFile.find_first_of("\r\n") == std::string_view::npos;
}

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
    setFixedSize(Pixels(6855), Pixels(4995));
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

void Main::CreateControls() {
    Frame2 = Place<QGroupBox>(this, 120, 120, 3255, 2175, "Gegevensbestand ");
    txtFileName = Place<QLineEdit>(Frame2, 120, 360, 2535, 285);
    btnBrowse = Place<QPushButton>(Frame2, 2760, 360, 375, 255, "...");
    lbRichting = PlaceLabel(Frame2, 120, 720, 3015, 495);
    lbInfo = PlaceLabel(Frame2, 120, 1200, 3015, 615);
    btnShowData = Place<QPushButton>(Frame2, 1080, 1800, 2055, 255, "Gegevens Weergeven");

    Frame3 = Place<QGroupBox>(this, 120, 2400, 3255, 1095, "Reeks ");
    chReeks = Place<QCheckBox>(Frame3, 120, 360, 3015, 255, "Alleen lessen tonen voor reeks");
    txtReeks = Place<QLineEdit>(Frame3, 1920, 600, 1095, 285);

    Frame1 = Place<QGroupBox>(this, 3480, 120, 3255, 3375, "Week ");
    btnDown = Place<QPushButton>(Frame1, 240, 360, 375, 255, "<");
    txtWeek = Place<QLineEdit>(Frame1, 720, 360, 735, 285);
    btnUp = Place<QPushButton>(Frame1, 1560, 360, 375, 255, ">");
    btnToday = Place<QPushButton>(Frame1, 2040, 360, 855, 255, "Vandaag");
    Cal = Place<QCalendarWidget>(Frame1, 240, 720, 2775, 2415);
    // The calendar numbers weeks the ISO way, which differs from the school's numbering in the
    // week box, so it shows none; a smaller font fits its month into the box.
    Cal->setFirstDayOfWeek(Qt::Monday);
    Cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Cal->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    Cal->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    QFont calendarFont = Cal->font();
    calendarFont.setPointSizeF(calendarFont.pointSizeF() * 0.85);
    Cal->setFont(calendarFont);

    lbFirstChange = PlaceLabel(this, 120, 3600, 3255, 615);
    // The save caption names the file, which is often longer than one line of the button.
    btnSave = Place<WrapButton>(this, 3480, 3600, 3255, 615, "Opslaan als ");
    chMarks = Place<QCheckBox>(this, 120, 4320, 3255, 255, "Veranderingen markeren");
    chMarks->setChecked(true);
    btnPrint = Place<QPushButton>(this, 3480, 4320, 1140, 255, "Afdrukken ...");
    btnExportPdf = Place<QPushButton>(this, 4725, 4320, 2010, 255, "Exporteren als PDF ...");
    Label1 =
        Place<QLabel>(this, 120, 4680, 6615, 255, "OrbelQuint: het lesrooster van je klas, week per week.");
    watch_ = new DataFileWatch(this);
    calendarMarks_ = new CalendarMarks(*Cal);
}

// What a screen reader says of each control, and the keys a button's tooltip names.
void Main::NameControls() {
    const std::pair<QWidget*, const char*> names[] = {{txtFileName, "Gegevensbestand"},
                                                      {btnBrowse, "Gegevensbestand kiezen"},
                                                      {lbRichting, "Richting"},
                                                      {lbInfo, "Weken van het gegevensbestand"},
                                                      {btnShowData, "Gegevens weergeven"},
                                                      {chReeks, "Alleen lessen tonen voor reeks"},
                                                      {txtReeks, "Reeks"},
                                                      {btnDown, "Vorige week"},
                                                      {txtWeek, "Weeknummer"},
                                                      {btnUp, "Volgende week"},
                                                      {btnToday, "Deze week"},
                                                      {Cal, "Kalender"},
                                                      {lbFirstChange, "Eerste verandering"},
                                                      {btnSave, "Opslaan als"},
                                                      {chMarks, "Veranderingen in de week markeren"},
                                                      {btnPrint, "Afdrukken"},
                                                      {btnExportPdf, "Exporteren als PDF"}};
    for (const auto& [control, name] : names)
        control->setAccessibleName(name);
    btnBrowse->setToolTip("Gegevensbestand kiezen (Ctrl+O)");
    btnDown->setToolTip("Vorige week (Alt+Links, Ctrl+PgUp)");
    btnUp->setToolTip("Volgende week (Alt+Rechts, Ctrl+PgDown)");
    btnToday->setToolTip("Deze week (Alt+Home)");
    btnSave->setToolTip("Een kopie van de weekpagina opslaan (Ctrl+S)");
    btnPrint->setToolTip("De weekpagina afdrukken (Ctrl+P)");
    btnExportPdf->setToolTip("De weekpagina als PDF opslaan (Ctrl+E)");
}

WeekActions Main::Actions() {
    return {[this] { btnUp_Click(); },        [this] { btnDown_Click(); },  [this] { btnToday_Click(); },
            [this] { btnBrowse_Click(); },    [this] { btnSave_Click(); },  [this] { btnPrint_Click(); },
            [this] { btnExportPdf_Click(); }, [this] { DataFileChanged(); }};
}

void Main::SetTabOrder() {
    QWidget* const order[] = {txtFileName, btnBrowse, txtWeek, btnDown,  btnUp,        btnToday, btnShowData,
                              Cal,         btnSave,   chMarks, btnPrint, btnExportPdf, chReeks,  txtReeks};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Main::ConnectHandlers() {
    connect(btnBrowse, &QPushButton::clicked, this, &Main::btnBrowse_Click);
    connect(btnShowData, &QPushButton::clicked, this, &Main::btnShowData_Click);
    connect(btnSave, &QPushButton::clicked, this, &Main::btnSave_Click);
    connect(btnPrint, &QPushButton::clicked, this, &Main::btnPrint_Click);
    connect(btnExportPdf, &QPushButton::clicked, this, &Main::btnExportPdf_Click);
    connect(chMarks, &QCheckBox::toggled, this, &Main::BuildWeekPage);
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

void Main::Form_Load() {
    const AppPaths& paths = environment_.paths;
    // Data file names without a folder are taken in the program's folder, and the open-file
    // dialog starts there, by the sample.
    std::error_code ignored;
    std::filesystem::current_path(paths.Sample().parent_path(), ignored);
    const bool foldersMade = MakeOwnFolders(paths);
    const std::filesystem::path pageFolder = ChooseWeekPageFolder(paths);
    if (pageFolder != paths.weekPageFolder) {
        qCWarning(lcOrbelquint).noquote()
            << "De map" << PathText(paths.weekPageFolder)
            << "is niet van de gebruiker alleen; de weekpagina komt in"
            << (pageFolder.empty() ? QString("het geheugen") : PathText(pageFolder));
    }
    weekPage_ = std::make_unique<WeekPageClaim>(pageFolder);
    RemoveStaleTemporaries(pageFolder, kWeekPageName);
    RemoveStaleTemporaries(paths.settingsFile.parent_path(), kSettingsName);
    ShowViewer();
    // The settings file may be a link, but in a folder that nobody else can plant one in.
    const std::filesystem::path settingsFolder = paths.settingsFile.parent_path();
    settingsKept_ = settingsFolder.empty() || IsOwnFolder(settingsFolder);
    if (!settingsKept_) {
        qCWarning(lcOrbelquint).noquote() << "In de map" << PathText(settingsFolder)
                                          << "kunnen ook anderen schrijven; de instellingen blijven eruit.";
    }
    const SettingsLoad settings =
        settingsKept_ ? LoadSettings(paths.settingsFile)
                      : SettingsLoad{SettingsLoad::Kind::Unusable,
                                     {},
                                     "Ook anderen kunnen schrijven in de map van de instellingen; die "
                                     "worden niet gelezen of bewaard."};
    if (settings.kind == SettingsLoad::Kind::Unusable) lbInfo->setText(DecodeDataText(settings.problem));
    if (!foldersMade) lbInfo->setText("De map voor de instellingen kan niet worden gemaakt.");
    if (settings.kind == SettingsLoad::Kind::Restored) {
        ShowViewer().brwView->Navigate(paths.StartPage());
        // An installed program's dialog starts by the file last used.
        if (!paths.portable)
            std::filesystem::current_path(std::filesystem::path(settings.settings.dataFile).parent_path(),
                                          ignored);
        rememberedDataFile_ = settings.settings.dataFile;
        {
            const QSignalBlocker quiet(chMarks);
            chMarks->setChecked(settings.settings.lessonMarks);
        }
        ShowDataFile(settings.settings.dataFile);
        dataLoaded_ = true;
        if (settings.settings.series) {
            chReeks->setChecked(true);
            txtReeks->setText(QString::fromStdString(NumberText(*settings.settings.series)));
        } else {
            chReeks->setChecked(false);
        }
    } else {
        Form1 agreement;
        agreement.exec();
        ShowViewer().brwView->Navigate(paths.StartPage());
    }
    if (!environment_.fileToOpen.empty()) {
        ShowDataFile(environment_.fileToOpen.string());
        dataLoaded_ = true;
    }
    btnToday_Click();
}

void Main::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Main::Form_Unload() {
    SaveSettings();
    // Only this copy's own week page goes; a folder or a link of that name is not the program's.
    const std::filesystem::path page = WeekPageFile();
    std::error_code error;
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(page, error)) &&
        !std::filesystem::remove(page, error)) {
        qCWarning(lcOrbelquint) << "De weekpagina" << page.c_str() << "kan niet worden verwijderd.";
    }
    weekPage_.reset();
    if (display_) display_->close();
    QCoreApplication::quit();
}

void Main::SaveSettings() {
    if (!settingsKept_) return;
    const QByteArray series = chReeks->isChecked() ? txtReeks->text().toUtf8() : QByteArray("0");
    const std::string dataFile = DataFileName();
    const std::filesystem::path& file = environment_.paths.settingsFile;
    if (!SaveSettingsFile(file, CanBeRemembered(dataFile) ? dataFile : rememberedDataFile_,
                          series.toStdString(), chMarks->isChecked())) {
        qCWarning(lcOrbelquint) << "Het instellingenbestand" << file.c_str() << "kan niet worden geschreven.";
    }
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

void Main::btnSave_Click() {
    if (PageOnlyInMemory()) {
        return Refuse(QString("De weekpagina kan niet worden opgeslagen: in de map %1 kan niets worden "
                              "geschreven.")
                          .arg(PathText(WeekPageFile().parent_path())));
    }
    if (!PageIsCurrent("op te slaan")) return;
    const std::string name = SaveNameText().toStdString();
    if (name.size() > kMaxFileNameBytes) {
        return Refuse(QString("De weekpagina kan niet worden opgeslagen: de naam is te lang voor een bestand "
                              "(%1 bytes, hoogstens %2). Kort de kop van het gegevensbestand in.")
                          .arg(name.size())
                          .arg(kMaxFileNameBytes));
    }
    if (!IsPlainFileName(name)) {
        return Refuse(QString("De weekpagina kan niet worden opgeslagen als \"%1\": de kop van het "
                              "gegevensbestand bevat een schuine streep of een stuurteken.")
                          .arg(QString::fromStdString(WithVisibleControls(name))));
    }
    const std::filesystem::path target = environment_.paths.portable
                                             ? environment_.paths.saveFolder / name
                                             : AskWhereToSave(name, "Webpaginas (*.html *.htm)");
    if (target.empty() || IsInputFile(target)) return;
    if (!CopyFileAtomically(WeekPageFile(), target)) {
        Refuse(QString("De weekpagina kan niet worden opgeslagen als \"%1\".").arg(PathText(target)));
    }
}

void Main::btnPrint_Click() {
    const auto page = ShownPage("af te drukken");
    if (!page) return;
    if (!PrintWithDialog(this, *page, SaveNameText(), Footer()))
        Refuse("De weekpagina kan niet worden afgedrukt.");
}

void Main::btnExportPdf_Click() {
    const auto page = ShownPage("om te zetten");
    if (!page || !environment_.saveDialog) return;
    std::filesystem::path name = SaveNameText().toStdString();
    const std::filesystem::path target =
        AskWhereToSave(name.replace_extension(".pdf"), "PDF-bestanden (*.pdf)");
    if (target.empty() || IsInputFile(target)) return;
    if (!WritePdf(*page, Footer(), target, SpecialFiles::Refuse)) {
        Refuse(QString("De weekpagina kan niet worden opgeslagen als \"%1\".").arg(PathText(target)));
    }
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

void Main::BuildWeekPage() {
    WeekPageRequest request;
    request.dataFile = DataFileName();
    request.currentWeek = currentWeek_;
    request.seriesFilter = chReeks->isChecked();
    request.chosenSeries = LeadingNumber(txtReeks->text().toStdString());
    request.templateFile = environment_.paths.PageTemplate();
    if (request.dataFile != watchedFile_) {
        watchedFile_ = request.dataFile;
        watch_->Watch(request.dataFile);
    }
    // The page file is the program's own: a link in its place is never followed.
    WeekPageResult result = WriteWeekPageFile(request, WeekPageFile(), Links::Refuse);
    // A program folder that takes no week page (read-only, or a folder in its place) still lets
    // the user see the page: it is built in memory and handed to the viewer as it is.
    std::ostringstream pageInMemory;
    const bool inMemory = result.status == BuildStatus::PageNotWritten;
    if (inMemory) result = orbelquint::BuildWeekPage(request, pageInMemory);
    pageIsCurrent_ = result.status == BuildStatus::Complete;
    if (result.status == BuildStatus::NoDataFile) return;
    ShowMarks(result, request);
    if (result.status != BuildStatus::Complete) {
        lbInfo->setText(DecodeDataText(result.message));
        return;
    }
    lbRichting->setText(DecodeDataText(result.report.heading));
    Display& viewer = ShowViewer();
    ShowMain();
    pageInMemory_ = QByteArray::fromStdString(pageInMemory.str());
    viewer.brwView->MarkLessonsOf(chMarks->isChecked() ? std::optional<int>(currentWeek_) : std::nullopt);
    if (PageOnlyInMemory()) {
        viewer.brwView->ShowPage(pageInMemory_);
    } else {
        viewer.brwView->Navigate(WeekPageFile());
    }
    QString info = QString::fromStdString(InfoText(result.report));
    if (!CanBeRemembered(request.dataFile)) info += "\nNaam met regeleinde: niet onthouden.";
    lbInfo->setText(info);
    lbFirstChange->setText(QString::fromStdString(FirstChangeText(result.report)));
    ShowSaveCaption();
    emit WeekPageBuilt();
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
        display_->move(frameGeometry().right() + kScreenMargin, y());
        // Beside the main window where there is room; on a small screen it overlaps it.
        display_->show();
        KeepOnScreen(*display_);
    }
    display_->show();
    display_->raise();
    display_->activateWindow();
    return *display_;
}

void Main::ShowMain() {
    show();
    raise();
    activateWindow();
}

// Asks where a file named `name` goes, starting in the save folder; empty when the user cancels.
std::filesystem::path Main::AskWhereToSave(const std::filesystem::path& name, const QString& filter) {
    if (!environment_.saveDialog) return {};
    return PathOf(environment_.saveDialog(this, PathText(environment_.paths.saveFolder / name), filter));
}

// True, after saying so, when `target` is a file the page is made from: the data file, the
// template or the week page itself. Those are never written over.
bool Main::IsInputFile(const std::filesystem::path& target) {
    for (const std::filesystem::path& input :
         {std::filesystem::path(DataFileName()), environment_.paths.PageTemplate(), WeekPageFile()}) {
        if (IsSameFile(target, input)) {
            Refuse(QString("\"%1\" is een bestand waaruit de weekpagina gemaakt wordt; er is niets "
                           "opgeslagen.")
                       .arg(PathText(target)));
            return true;
        }
    }
    return false;
}

const std::filesystem::path& Main::WeekPageFile() const {
    return weekPage_->Page();
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

// True when there is a page of the shown week and data file; otherwise says why, naming what the
// page was wanted for ("op te slaan").
bool Main::PageIsCurrent(const char* use) {
    std::error_code error;
    if (!PageOnlyInMemory() && !std::filesystem::is_regular_file(WeekPageFile(), error)) {
        Refuse(QString("Er is nog geen weekpagina %1. Kies eerst een gegevensbestand.").arg(use));
        return false;
    }
    if (!pageIsCurrent_) {
        Refuse(QString("De weekpagina van week %1 kon niet worden gemaakt (zie de melding bij het "
                       "gegevensbestand); er is geen weekpagina %2.")
                   .arg(currentWeek_)
                   .arg(use));
        return false;
    }
    return true;
}

// The bytes of the page shown, for printing and export; nullopt after saying why there are none.
std::optional<QByteArray> Main::ShownPage(const char* use) {
    if (!PageIsCurrent(use)) return std::nullopt;
    if (PageOnlyInMemory()) return pageInMemory_;
    const auto page = ReadFileStart(WeekPageFile(), kMaxPrintedPage);
    if (page && page->Whole()) return QByteArray::fromStdString(page->bytes);
    Refuse("De weekpagina kan niet worden gelezen.");
    return std::nullopt;
}

QString Main::Footer() const {
    return QString("Week %1 \u2013 %2").arg(currentWeek_).arg(lbRichting->text());
}

// The save name is made afresh from the heading and the week whenever it is needed.
QString Main::SaveNameText() const {
    return QString::fromStdString(SaveName(lbRichting->text().toStdString(), currentWeek_));
}

void Main::ShowSaveCaption() {
    btnSave->setText("Opslaan als " + SaveNameText());
}

void Main::Refuse(const QString& message) {
    QMessageBox::warning(this, "OrbelQuint", message);
}

}  // namespace orbelquint
