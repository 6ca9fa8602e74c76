#include "ui/printing/page_printing.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <algorithm>

#include "core/atomic_file.h"
#include "core/number_text.h"
#include "ui/page_decoding.h"

namespace orbelquint {
namespace {

// A4 portrait with margins of 15 mm, for printers and PDFs alike.
QPageLayout A4() {
    return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
            QPageLayout::Millimeter};
}

}  // namespace

QString PageFooter(int week, const QString& heading, std::optional<double> series) {
    QString footer = QString("Week %1 \u2013 %2").arg(week).arg(heading);
    if (series) footer += QString(" \u2013 reeks %1").arg(QString::fromStdString(NumberText(*series)));
    return footer;
}

bool PaintPage(const QByteArray& page, QPagedPaintDevice& device, const QString& footer) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    QTextDocument document;
    // Measured at the device's resolution, so that the fonts' widths on paper are the ones laid out.
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    document.setHtml(WithoutLineBreakAfterPre(DecodePage(page)));

    const QRectF sheet = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const qreal footerHeight = painter.fontMetrics().height() * 2.0;
    // Lines break only where the page says so (preformatted lines never); the widest line sets
    // the scale.
    document.setTextWidth(-1);
    const qreal scale = std::min<qreal>(1.0, sheet.width() / std::max<qreal>(1.0, document.idealWidth()));
    const QSizeF content(sheet.width() / scale, (sheet.height() - footerHeight) / scale);
    document.setPageSize(content);  // page breaks fall between lines
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !device.newPage()) return false;
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -index * content.height());
        document.drawContents(&painter, QRectF(QPointF(0, index * content.height()), content));
        painter.restore();
        const QRectF footerBox(0, sheet.height() - footerHeight / 2, sheet.width(), footerHeight / 2);
        painter.drawText(footerBox, Qt::AlignLeft | Qt::AlignVCenter, footer);
        painter.drawText(footerBox, Qt::AlignRight | Qt::AlignVCenter,
                         QString("pagina %1 van %2").arg(index + 1).arg(pages));
    }
    return painter.end();
}

bool PrintWithDialog(QWidget* owner, const QByteArray& page, const QString& documentName,
                     const QString& footer) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(A4());
    printer.setDocName(documentName);
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() != QDialog::Accepted || PaintPage(page, printer, footer);
}

bool WritePdf(const QByteArray& page, const QString& footer, const std::filesystem::path& file,
              SpecialFiles special) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(A4());
        writer.setResolution(300);
        writer.setCreator("OrbelQuint");
        writer.setTitle(footer);
        if (!PaintPage(page, writer, footer)) return false;
    }
    AtomicFile target(file, special);
    target.Stream().write(pdf.data().constData(), pdf.data().size());
    return target.Commit();
}

}  // namespace orbelquint
