#include "ui/calendar_export/calendar_dialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/views/calendar_export.h"
#include "ui/calendar_dates.h"
#include "ui/path_text.h"

namespace orbelquint {
namespace {

QDateEdit* DateEdit(std::chrono::year_month_day date, const QString& accessibleName) {
    auto* edit = new QDateEdit(ToQDate(date));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat("dd-MM-yyyy");
    edit->setAccessibleName(accessibleName);
    return edit;
}

QString RangeText(const DateRange& range) {
    return QString::fromStdString(DateRangeText(range));
}

}  // namespace

CalendarDialog::CalendarDialog(QWidget* owner, const CalendarChoice& start, AskFileFunction askFile)
    : QDialog(owner), askFile_(std::move(askFile)) {
    setWindowTitle("Agenda exporteren");
    dtFrom = DateEdit(start.range.first, "Eerste dag");
    dtTo = DateEdit(start.range.last, "Laatste dag");
    dtFreeFrom = DateEdit(start.range.first, "Eerste vrije dag");
    dtFreeTo = DateEdit(start.range.first, "Laatste vrije dag");
    txtFile = new QLineEdit(PathText(start.file));
    txtFile->setAccessibleName("Bestand");

    auto* buttons = new QDialogButtonBox;
    buttons->addButton("&Exporteren", QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton("Annuleren", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CalendarDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CalendarDialog::reject);

    auto* explanation = new QLabel(
        "Elke les van de weekpagina's in de gekozen periode, op de tijden van "
        "zijn lesuur; de reeksfilter van het hoofdvenster geldt.");
    explanation->setWordWrap(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(explanation, 0, 0, 1, 2);
    layout->addWidget(RangeBox(), 1, 0);
    layout->addWidget(FreeDaysBox(), 2, 0);
    layout->addWidget(BellTimesBox(), 1, 1, 2, 1);
    layout->addWidget(FileBox(), 3, 0, 1, 2);
    layout->addWidget(buttons, 4, 0, 1, 2);
    layout->setRowStretch(2, 1);

    ShowBellTimes(start.times.bellTimes);
    for (const DateRange& range : start.times.freeDays)
        AddFreeDays(range);
}

QWidget* CalendarDialog::RangeBox() {
    auto* box = new QGroupBox("Periode");
    auto* layout = new QGridLayout(box);
    auto* from = new QLabel("&Van");
    from->setBuddy(dtFrom);
    auto* to = new QLabel("&Tot en met");
    to->setBuddy(dtTo);
    layout->addWidget(from, 0, 0);
    layout->addWidget(dtFrom, 0, 1);
    layout->addWidget(to, 1, 0);
    layout->addWidget(dtTo, 1, 1);
    return box;
}

QWidget* CalendarDialog::BellTimesBox() {
    auto* box = new QGroupBox("Beltijden");
    tblBellTimes = new QTableWidget(0, 3);
    tblBellTimes->setHorizontalHeaderLabels({"Lesuur", "Begin", "Einde"});
    tblBellTimes->verticalHeader()->hide();
    tblBellTimes->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblBellTimes->setAccessibleName("Beltijden");
    tblBellTimes->setToolTip("Een lesuur van 0 tot 99, begin en einde als UU:MM");
    auto* add = new QPushButton("&Uur toevoegen");
    auto* remove = new QPushButton("Uur ver&wijderen");
    auto* standard = new QPushButton("&Standaard");
    standard->setToolTip("Lessen van 50 minuten, van 1 08:25-09:15 tot 8 15:40-16:30");
    connect(add, &QPushButton::clicked, this, &CalendarDialog::AddBellRow);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (const int row = tblBellTimes->currentRow(); row >= 0) tblBellTimes->removeRow(row);
    });
    connect(standard, &QPushButton::clicked, this, [this] { ShowBellTimes(DefaultBellTimes()); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addWidget(standard);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(tblBellTimes);
    layout->addLayout(buttons);
    return box;
}

QWidget* CalendarDialog::FreeDaysBox() {
    auto* box = new QGroupBox("Vrije dagen");
    lstFreeDays = new QListWidget;
    lstFreeDays->setAccessibleName("Vrije dagen");
    auto* from = new QLabel("Va&n");
    from->setBuddy(dtFreeFrom);
    auto* to = new QLabel("T&ot en met");
    to->setBuddy(dtFreeTo);
    auto* add = new QPushButton("&Dagen toevoegen");
    auto* remove = new QPushButton("Dagen ve&rwijderen");
    connect(dtFreeFrom, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (dtFreeTo->date() < date) dtFreeTo->setDate(date);
    });
    connect(add, &QPushButton::clicked, this, [this] {
        const DateRange range{ToCalendarDate(dtFreeFrom->date()), ToCalendarDate(dtFreeTo->date())};
        if (const std::string problem = FreeDaysProblem(range); !problem.empty())
            return Warn(QString::fromStdString(problem));
        AddFreeDays(range);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = lstFreeDays->currentRow();
        if (row < 0) return;
        delete lstFreeDays->takeItem(row);
        freeDays_.erase(freeDays_.begin() + row);
    });
    auto* layout = new QGridLayout(box);
    layout->addWidget(lstFreeDays, 0, 0, 1, 2);
    layout->addWidget(from, 1, 0);
    layout->addWidget(dtFreeFrom, 1, 1);
    layout->addWidget(to, 2, 0);
    layout->addWidget(dtFreeTo, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    layout->addLayout(buttons, 3, 0, 1, 2);
    return box;
}

QWidget* CalendarDialog::FileBox() {
    auto* box = new QWidget;
    auto* label = new QLabel("&Bestand");
    label->setBuddy(txtFile);
    auto* browse = new QPushButton("...");
    browse->setAccessibleName("Bestand kiezen");
    connect(browse, &QPushButton::clicked, this, &CalendarDialog::ChooseFile);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(txtFile, 1);
    layout->addWidget(browse);
    return box;
}

void CalendarDialog::ShowBellTimes(const BellTimes& times) {
    tblBellTimes->setRowCount(0);
    for (const BellRow& row : BellRowsOf(times)) {
        const int at = tblBellTimes->rowCount();
        tblBellTimes->insertRow(at);
        tblBellTimes->setItem(at, 0, new QTableWidgetItem(row.hour));
        tblBellTimes->setItem(at, 1, new QTableWidgetItem(row.start));
        tblBellTimes->setItem(at, 2, new QTableWidgetItem(row.end));
    }
}

// A new row after the last, for the hour after the last one, ready to be typed in.
void CalendarDialog::AddBellRow() {
    const int at = tblBellTimes->rowCount();
    const QTableWidgetItem* last = at > 0 ? tblBellTimes->item(at - 1, 0) : nullptr;
    tblBellTimes->insertRow(at);
    tblBellTimes->setItem(at, 0,
                          new QTableWidgetItem(last ? QString::number(last->text().toInt() + 1) : "1"));
    tblBellTimes->setItem(at, 1, new QTableWidgetItem);
    tblBellTimes->setItem(at, 2, new QTableWidgetItem);
    tblBellTimes->setCurrentCell(at, 1);
    tblBellTimes->editItem(tblBellTimes->item(at, 1));
}

void CalendarDialog::AddFreeDays(const DateRange& range) {
    freeDays_.push_back(range);
    lstFreeDays->addItem(RangeText(range));
}

void CalendarDialog::ChooseFile() {
    const QString chosen = askFile_(this, txtFile->text(), "Agenda's (*.ics)");
    if (!chosen.isEmpty()) txtFile->setText(chosen);
}

void CalendarDialog::Warn(const QString& message) {
    QMessageBox::warning(this, "Agenda exporteren", message);
}

void CalendarDialog::accept() {
    const DateRange range{ToCalendarDate(dtFrom->date()), ToCalendarDate(dtTo->date())};
    if (const std::string problem = CalendarRangeProblem(range); !problem.empty()) {
        dtTo->setFocus();
        return Warn(QString::fromStdString(problem));
    }
    std::vector<BellRow> rows;
    for (int row = 0; row < tblBellTimes->rowCount(); ++row) {
        const auto text = [this, row](int column) {
            const QTableWidgetItem* item = tblBellTimes->item(row, column);
            return item ? item->text() : QString();
        };
        rows.push_back({text(0), text(1), text(2)});
    }
    auto times = SchoolTimesOfRows(rows, freeDays_);
    if (const auto* problem = std::get_if<BellTimesProblem>(&times)) {
        const int row = static_cast<int>(problem->line) - 1;
        tblBellTimes->setFocus();
        tblBellTimes->setCurrentCell(row, 0);
        return Warn(QString("Beltijden, rij %1: %2.").arg(row + 1).arg(QString::fromStdString(problem->why)));
    }
    if (txtFile->text().trimmed().isEmpty()) {
        txtFile->setFocus();
        return Warn("Geef het bestand waarin de agenda komt.");
    }
    choice_ = CalendarChoice{range, std::get<SchoolTimes>(std::move(times)), PathOf(txtFile->text())};
    QDialog::accept();
}

}  // namespace orbelquint
