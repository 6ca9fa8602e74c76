#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "ui/calendar_export/calendar_choice.h"

class QDateEdit;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace orbelquint {

// Asks where a file goes, starting from the proposed path; the empty text when the user cancels.
using AskFileFunction =
    std::function<QString(QWidget* owner, const QString& proposed, const QString& filter)>;

// "Agenda exporteren": the range of dates, the bell-time table (edited, added to, removed from,
// back to the default), the free days and the file. It closes with Exporteren only on a choice
// that holds: a range of at most a school year, a table the bell-time file's rule reads, a file.
class CalendarDialog : public QDialog {
    Q_OBJECT

  public:
    CalendarDialog(QWidget* owner, const CalendarChoice& start, AskFileFunction askFile);

    // What the user chose; set once the dialog is accepted.
    const std::optional<CalendarChoice>& Choice() const { return choice_; }

    void accept() override;

    QDateEdit* dtFrom;
    QDateEdit* dtTo;
    QTableWidget* tblBellTimes;
    QDateEdit* dtFreeFrom;
    QDateEdit* dtFreeTo;
    QListWidget* lstFreeDays;
    QLineEdit* txtFile;

  private:
    QWidget* RangeBox();
    QWidget* BellTimesBox();
    QWidget* FreeDaysBox();
    QWidget* FileBox();
    void ShowBellTimes(const BellTimes& times);
    void AddBellRow();
    void AddFreeDays(const DateRange& range);
    void ChooseFile();
    void Warn(const QString& message);

    AskFileFunction askFile_;
    std::vector<DateRange> freeDays_;  // those of lstFreeDays, in its order
    std::optional<CalendarChoice> choice_;
};

}  // namespace orbelquint
