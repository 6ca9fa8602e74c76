#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "core/reading/file_handle.h"
#include "core/timetable/week_view.h"
#include "ui/widgets/work_progress.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace orbelquint {

// The footer of a printed page, which is also the PDF's title: "Week 50 – 4A", and with the series
// filter on "Week 50 – 4A – reeks 2", so that the paper tells which lessons it leaves out.
QString PageFooter(int week, const QString& heading, std::optional<double> series);

// The most rows of a week page that go on paper: several hundred sheets, far more than any week
// fills, while laying them out stays within tens of megabytes and a second or two.
inline constexpr int kMaxPrintedRows = 20'000;
// The characters that count as one row on paper: a row longer than a lesson line counts as many
// rows as it holds this many characters, and a grid cell takes it a paragraph of so many at a time.
inline constexpr std::size_t kPrintedRowCharacters = 120;

// Why a week page is not put on paper (printed or as a PDF): it has more rows than kMaxPrintedRows,
// a long row counted by kPrintedRowCharacters. Empty when it can be.
QString TooLargeToPrint(std::string_view weekPage);

// What goes on paper for a week page (of `week`) in `view`: the page itself, or its grid page.
QByteArray PrintedPage(const QByteArray& weekPage, int week, WeekView view);

// How putting a page on paper ended.
enum class Printed { Whole, Cancelled, Failed };

// Painting tells its progress sheet by sheet (WorkProgress): false stops the drawing, so that a
// window can show progress, keep answering and let the user cancel.

// Lays a printed page out on paper pages of `device` (a printer or a PDF writer), every sheet with
// a footer with `footer` and its page number. A list's lesson lines are never wrapped or clipped:
// the page is scaled down so that its longest line fits the width. A grid takes the sheet's width,
// its cells wrapping, and is scaled down so that it fits one sheet where it stays readable; a
// larger one goes on as many sheets as it takes, a few days at a time (PrintedPage).
Printed PaintPage(const QByteArray& page, QPagedPaintDevice& device, const QString& footer,
                  WeekView view = WeekView::List, const WorkProgress& progress = {});

// Asks where and how to print with the platform's print dialog (A4, portrait for a list and
// landscape for a grid, to begin with); false when the user cancels. The printer is made only
// when asked for, so that start-up never waits for the print system.
bool AskPrinter(QWidget* owner, QPrinter& printer, const QString& documentName, WeekView view);

// Prints the page on the printer chosen; a print job that `progress` stops is withdrawn.
Printed PrintOn(QPrinter& printer, const QByteArray& page, const QString& footer, WeekView view,
                const WorkProgress& progress = {});

// Writes the printed page as an A4 PDF (landscape for a grid) titled `footer` and made by
// OrbelQuint, whole or not at all (a device or pipe is written into or refused as `special`
// says); Failed when it cannot be written, Cancelled (nothing written) when `progress` stops it.
Printed WritePdf(const QByteArray& page, const QString& footer, const std::filesystem::path& file,
                 SpecialFiles special, WeekView view = WeekView::List, const WorkProgress& progress = {});

}  // namespace orbelquint
