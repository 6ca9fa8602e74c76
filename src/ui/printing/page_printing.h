#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>
#include <optional>

#include "core/file_handle.h"

class QPagedPaintDevice;
class QWidget;

namespace orbelquint {

// The footer of a printed page, which is also the PDF's title: "Week 50 – 4A", and with the series
// filter on "Week 50 – 4A – reeks 2", so that the paper tells which lessons it leaves out.
QString PageFooter(int week, const QString& heading, std::optional<double> series);

// Lays a week page out on paper pages of `device` (a printer or a PDF writer): lesson lines are
// never wrapped or clipped, the page is scaled down so that its longest line fits the width, and
// every sheet gets a footer with `footer` and its page number. False when nothing could be drawn.
bool PaintPage(const QByteArray& page, QPagedPaintDevice& device, const QString& footer);

// Asks where and how to print with the platform's print dialog (A4 portrait to begin with) and
// prints the page there; false only when the printing itself failed. The printer is made only
// now, so that start-up never waits for the print system.
bool PrintWithDialog(QWidget* owner, const QByteArray& page, const QString& documentName,
                     const QString& footer);

// Writes the week page as an A4 portrait PDF titled `footer` and made by OrbelQuint, whole or not at
// all (a device or pipe is written into
// or refused as `special` says); false when it cannot be written.
bool WritePdf(const QByteArray& page, const QString& footer, const std::filesystem::path& file,
              SpecialFiles special);

}  // namespace orbelquint
