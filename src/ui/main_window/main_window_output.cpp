// Saving, printing and exporting the page shown, and the refusals when it cannot be.
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>

#include "core/files/atomic_file.h"
#include "core/files/week_page_session.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/refusals.h"
#include "ui/path_text.h"
#include "ui/printing/page_printing.h"
#include "ui/widgets/work_progress.h"

namespace orbelquint {

void Main::btnSave_Click() {
    const std::string name = SaveNameText().toStdString();
    if (Refuses(CopyRefusal(*page_, currentWeek_, name))) return;
    // Beside a portable program the copy takes a name the user never saw: a link found there is
    // not followed. A name chosen in the dialog is the user's own, link or not.
    const bool portable = environment_.paths.portable;
    const std::filesystem::path target =
        portable ? environment_.paths.saveFolder / name : AskWhereToSave(name, "Webpaginas (*.html *.htm)");
    if (target.empty() || Refuses(OverwriteRefusal(target, Inputs()))) return;
    if (!CopyFileAtomically(page_->File(), target, portable ? Links::Refuse : Links::Follow)) {
        return Refuse(QString("De weekpagina kan niet worden opgeslagen als \"%1\".").arg(PathText(target)));
    }
    ShowStatus(QString("Opgeslagen als \"%1\".").arg(PathText(target)), PathText(target));
}

// Says in the bottom line what was just done, until the next page is built: the middle of the
// file name `path` left out where the line is too short, and the whole text in its tooltip and for
// screen readers.
void Main::ShowStatus(const QString& text, const QString& path) {
    Label1->setText(FittedText(text, path, Label1->fontMetrics(), Label1->width()));
    Label1->setToolTip(text);
    Label1->setAccessibleName(text);
}

void Main::btnPrint_Click() {
    const auto page = ShownPage("af te drukken");
    if (!page) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!AskPrinter(this, printer, SaveNameText(), ShownView())) return;
    Printed printed = Printed::Failed;
    RunWithProgress(
        this, "De weekpagina wordt afgedrukt", "blad", environment_.progressAfter, [this] { return !ended_; },
        [&printed, &printer, printedPage = PrintedPage(*page, currentWeek_, ShownView()), footer = Footer(),
         view = ShownView()](const WorkProgress& progress) {
            printed = PrintOn(printer, printedPage, footer, view, progress);
        });
    if (printed == Printed::Failed) Refuse("De weekpagina kan niet worden afgedrukt.");
}

void Main::btnExportPdf_Click() {
    const auto page = ShownPage("om te zetten");
    if (!page || !environment_.saveDialog) return;
    std::filesystem::path name = SaveNameText().toStdString();
    const std::filesystem::path target =
        AskWhereToSave(name.replace_extension(".pdf"), "PDF-bestanden (*.pdf)");
    if (target.empty() || Refuses(OverwriteRefusal(target, Inputs()))) return;
    Printed written = Printed::Failed;
    RunWithProgress(
        this, "De PDF wordt gemaakt", "blad", environment_.progressAfter, [this] { return !ended_; },
        [&written, printedPage = PrintedPage(*page, currentWeek_, ShownView()), footer = Footer(), target,
         view = ShownView()](const WorkProgress& progress) {
            written = WritePdf(printedPage, footer, target, SpecialFiles::Refuse, view, progress);
        });
    if (written == Printed::Failed) {
        return Refuse(QString("De weekpagina kan niet worden opgeslagen als \"%1\".").arg(PathText(target)));
    }
    if (written == Printed::Whole)
        ShowStatus(QString("Opgeslagen als \"%1\".").arg(PathText(target)), PathText(target));
}

// Asks where a file named `name` goes, starting in the save folder; empty when the user cancels.
std::filesystem::path Main::AskWhereToSave(const std::filesystem::path& name, const QString& filter) {
    if (!environment_.saveDialog) return {};
    return PathOf(environment_.saveDialog(this, PathText(environment_.paths.saveFolder / name), filter));
}

// The files the page is made from, never written over: the data file, the template and the week
// page itself.
std::array<std::filesystem::path, 3> Main::Inputs() const {
    return {DataFileName(), environment_.paths.PageTemplateFile(), page_->File()};
}

// The footer of the page shown, naming the series when the filter is on.
QString Main::Footer() const {
    return PageFooter(currentWeek_, lbRichting->text(), Request().FilteredSeries());
}

WeekView Main::ShownView() const {
    return chGrid->isChecked() ? WeekView::Grid : WeekView::List;
}

// The bytes of the page shown, for printing and export; nullopt after saying why there are none.
std::optional<QByteArray> Main::ShownPage(const char* use) {
    if (Refuses(PageRefusal(*page_, currentWeek_, use))) return std::nullopt;
    const auto bytes = page_->Bytes(kMaxPageInMemory);
    if (!bytes) {
        Refuse("De weekpagina kan niet worden gelezen.");
        return std::nullopt;
    }
    if (const QString tooLarge = TooLargeToPrint(*bytes); !tooLarge.isEmpty()) {
        Refuse(tooLarge);
        return std::nullopt;
    }
    return QByteArray::fromStdString(*bytes);
}

void Main::Refuse(const QString& message) {
    QMessageBox::warning(this, "OrbelQuint", message);
}

// Shows the refusal when there is one: true then.
bool Main::Refuses(const std::optional<QString>& refusal) {
    if (refusal) Refuse(*refusal);
    return refusal.has_value();
}

}  // namespace orbelquint
