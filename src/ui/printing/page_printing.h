#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>
#include <optional>

#include "core/file_handle.h"
#include "core/week_view.h"

class QPagedPaintDevice;
class QWidget;

namespace orbelquint {

// The footer of a printed page, which is also the PDF's title: "Week 50 – 4A", and with the series
// filter on "Week 50 – 4A – reeks 2", so that the paper tells which lessons it leaves out.
QString PageFooter(int week, const QString& heading, std::optional<double> series);

// What goes on paper for a week page (of `week`) in `view`: the page itself, or its grid page.
QByteArray PrintedPage(const QByteArray& weekPage, int week, WeekView view);

// Lays a printed page out on paper pages of `device` (a printer or a PDF writer), every sheet with
// a footer with `footer` and its page number. A list's lesson lines are never wrapped or clipped:
// the page is scaled down so that its longest line fits the width. A grid takes the sheet's width,
// its cells wrapping, and is scaled down so that it fits one sheet where it stays readable. False
// when nothing could be drawn.
bool PaintPage(const QByteArray& page, QPagedPaintDevice& device, const QString& footer,
               WeekView view = WeekView::List);

// Asks where and how to print with the platform's print dialog (A4, portrait for a list and
// landscape for a grid, to begin with) and prints the page there; false only when the printing
// itself failed. The printer is made only now, so that start-up never waits for the print system.
bool PrintWithDialog(QWidget* owner, const QByteArray& page, const QString& documentName,
                     const QString& footer, WeekView view = WeekView::List);

// Writes the printed page as an A4 PDF (landscape for a grid) titled `footer` and made by
// OrbelQuint, whole or not at all (a device or pipe is written into or refused as `special`
// says); false when it cannot be written.
bool WritePdf(const QByteArray& page, const QString& footer, const std::filesystem::path& file,
              SpecialFiles special, WeekView view = WeekView::List);

}  // namespace orbelquint
