#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>

class QPagedPaintDevice;

namespace orbelquint {

// Lays a week page out on paper pages of `device` (a printer or a PDF writer): lesson lines are
// never wrapped or clipped, the page is scaled down so that its longest line fits the width, and
// every sheet gets a footer with `footer` and its page number. False when nothing could be drawn.
bool PaintPage(const QByteArray& page, QPagedPaintDevice& device, const QString& footer);

// Writes the week page as an A4 portrait PDF, whole or not at all; false when it cannot be written.
bool WritePdf(const QByteArray& page, const QString& footer, const std::filesystem::path& file);

}  // namespace orbelquint
