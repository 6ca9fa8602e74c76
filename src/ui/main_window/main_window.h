#pragma once

#include <QDate>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/files/app_paths.h"
#include "core/timetable/week_page.h"
#include "core/timetable/week_view.h"
#include "ui/main_window/week_shortcuts.h"
#include "ui/widgets/twips.h"

class QCalendarWidget;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orbelquint {

class CalendarMarks;
class DataFileWatch;
class Display;
class WeekPageSession;
struct CalendarChoice;
struct RememberedSettings;
struct SchoolTimes;
struct SettingsLoad;

// The open-file dialog as the main window calls it: full path of the chosen file, or "cancel".
using OpenDialogFunction =
    std::function<QString(QWidget* owner, const QString& filter, const QString& title)>;

// A save dialog: the path the user chose, starting from the proposed one and showing the files of
// `filter`, or the empty text when the user cancels.
using SaveDialogFunction =
    std::function<QString(QWidget* owner, const QString& proposed, const QString& filter)>;

// What the main window takes from its surroundings; tests put folders, a day and dialogs of their
// own in place of the real ones.
struct MainEnvironment {
    AppPaths paths;
    std::function<QDate()> today;
    OpenDialogFunction openDialog;
    SaveDialogFunction saveDialog = {};     // for PDF files, and for copies of an installed program
    std::filesystem::path fileToOpen = {};  // named on the command line; opened as if chosen with "..."
    // Long work (printing, a PDF, a calendar) shows its progress once it takes this long.
    std::chrono::milliseconds progressAfter{400};
};

// The main window: the data file, the week and the series filter, the reports on the data file
// and the save button. It owns the run state and drives the viewer.
class Main : public QWidget {
    Q_OBJECT

  public:
    explicit Main(MainEnvironment environment);
    ~Main() override;

    // Start-up: the viewer, the agreement on a first start, the remembered settings, and today's
    // week made current. A close while the agreement waits ends the run there: see HasEnded.
    void Form_Load();
    // True once the run has ended (the page removed, the viewer closed): also when it ended during
    // start-up, so that the window is not shown after all.
    bool HasEnded() const { return ended_; }

    std::int16_t CurrentWeek() const { return currentWeek_; }
    bool DataLoaded() const { return dataLoaded_; }
    // The viewer window, or null while the user has it closed.
    Display* Viewer() const;

    // The controls, in screen order; their names are those the program has always had.
    QGroupBox* Frame2;          // "Gegevensbestand": the data file, top left
    QLineEdit* txtFileName;     // the data file's name
    QPushButton* btnBrowse;     // "...": choose the data file
    QLabel* lbRichting;         // the stream's heading
    QLabel* lbInfo;             // the weeks the file covers, or why there is no page
    QPushButton* btnShowData;   // "Gegevens Weergeven": the whole data file in the viewer
    QGroupBox* Frame3;          // "Reeks": the series filter, below the data file
    QCheckBox* chReeks;         // the filter on or off
    QLineEdit* txtReeks;        // the series
    QGroupBox* Frame1;          // "Week": the week, top right
    QPushButton* btnDown;       // "<": the week before
    QLineEdit* txtWeek;         // the week number, typed or shown
    QPushButton* btnUp;         // ">": the week after
    QPushButton* btnToday;      // "Vandaag": this week
    QCalendarWidget* Cal;       // the calendar, with the change weeks marked
    QLabel* lbFirstChange;      // the first later week in which the timetable changes
    QPushButton* btnSave;       // "Opslaan als ...": a copy of the week page
    QCheckBox* chMarks;         // "Veranderingen markeren": marks in the viewer
    QCheckBox* chGrid;          // "Raster": the viewer shows the week as a grid
    QPushButton* btnPrint;      // "Afdrukken ..."
    QPushButton* btnExportPdf;  // "Exporteren als PDF ..."
    QPushButton* btnCalendar;   // "Agenda exporteren ...": the school year as an iCalendar file
    QLabel* Label1;             // the program's one-line description at the bottom

  signals:
    // A complete week page has been written and handed to the viewer.
    void WeekPageBuilt();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls();
    void NameControls();
    WeekActions Actions();
    void SetTabOrder();
    void ConnectHandlers();

    void btnBrowse_Click();
    void btnShowData_Click();
    void btnSave_Click();
    void btnPrint_Click();
    void btnExportPdf_Click();
    void btnCalendar_Click();
    SchoolTimes RememberedSchoolTimes();
    void WriteCalendar(const CalendarChoice& choice, const QString& note);
    void OpenDataFile(const QString& file);
    void DataFileVanished();
    void DataFileChanged();
    void ShowMarks(const WeekPageResult& result, const WeekPageRequest& request);
    void chReeks_Click();
    void txtReeks_Change();
    void btnToday_Click();
    void btnUp_Click();
    void btnDown_Click();
    void Cal_Click();
    void txtWeek_Change();

    void SetWeek(std::int16_t week);
    void BuildWeekPage();
    WeekPageRequest Request() const;
    void FollowDataFile(const std::string& dataFile);
    void ShowReport(const WeekPageReport& report, const std::string& dataFile);
    void ShowPageAgain();
    void ShowPage();

    void ClaimWeekPage();
    SettingsLoad ReadSettings();
    void Restore(const RememberedSettings& settings);
    void SaveSettings();
    void Form_Unload();
    void EndRun();

    void SetCalendarDate(QDate date);
    void MakeCalendarWeekCurrent();
    Display& ShowViewer();
    void PlaceViewer();
    void KeepViewerBeside();
    void ShowMain();
    std::filesystem::path AskWhereToSave(const std::filesystem::path& name, const QString& filter);
    std::array<std::filesystem::path, 3> Inputs() const;
    std::string DataFileName() const;
    void ShowDataFile(std::string name);
    QString SaveNameText() const;
    std::optional<QByteArray> ShownPage(const char* use);
    QString Footer() const;
    WeekView ShownView() const;
    void ShowSaveCaption();
    void Refuse(const QString& message);
    void ShowStatus(const QString& text, const QString& path = {});
    bool Refuses(const std::optional<QString>& refusal);

    // The bottom line's own text, shown whenever it has nothing just done to tell.
    static constexpr const char* kDescription = "OrbelQuint: het lesrooster van je klas, week per week.";

    MainEnvironment environment_;
    TwipScale twips_;  // how the window's font measures against the design font
    std::int16_t currentWeek_ = 0;
    bool dataLoaded_ = false;
    // The data file name as the settings file gave it, kept when the one chosen since cannot be
    // written there.
    std::string rememberedDataFile_;
    // The settings file's folder is the user's own: the settings are read from and kept there.
    bool settingsKept_ = false;
    // The data file's name as bytes, which need not be UTF-8, and the text the file box shows of
    // it: while the box shows that text, the name is these bytes.
    std::string dataFile_;
    QString dataFileShown_;
    // The week page shown: its file or the page in memory, and whether it is current.
    std::unique_ptr<WeekPageSession> page_;
    DataFileWatch* watch_;
    std::string watchedFile_;
    CalendarMarks* calendarMarks_;
    std::string markedFor_;  // the data file and series filter the calendar's marks are of
    QPointer<Display> display_;
    // Where the viewer was placed beside this window: until the user moves it, it stays beside
    // this window's real frame, which the window manager tells only once the window is shown.
    QPoint viewerPlacedAt_;
    // The agreement while start-up waits for it; a close then ends the run without keeping
    // settings, since the agreement was not given.
    QPointer<QDialog> agreement_;
    bool closedDuringAgreement_ = false;
    bool ended_ = false;
};

}  // namespace orbelquint
