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

#include "core/files/atomic_file.h"
#include "core/text/float_text.h"
#include "core/views/grid_page.h"
#include "core/views/week_grid.h"
#include "ui/page_decoding.h"

namespace orbelquint {
namespace {

// A4 with margins of 15 mm, for printers and PDFs alike: portrait for a list, landscape for the
// grid's days side by side.
QPageLayout A4(WeekView view) {
    return {QPageSize(QPageSize::A4), view == WeekView::Grid ? QPageLayout::Landscape : QPageLayout::Portrait,
            QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter};
}

// The largest scale, down to a limit that keeps the text readable, at which the grid laid out at
// the sheet's width fits one sheet; the document is left laid out at it.
qreal GridScale(QTextDocument& document, const QSizeF& sheet) {
    constexpr qreal kSmallest = 0.6;
    const auto fits = [&document, &sheet](qreal scale) {
        document.setTextWidth(sheet.width() / scale);
        return document.size().height() <= sheet.height() / scale;
    };
    // A grid of many sheets is laid out once.
    if (!fits(kSmallest)) return kSmallest;
    for (qreal scale = 1.0;; scale -= 0.1) {
        if (fits(scale) || scale - 0.1 < kSmallest) return scale;
    }
}

// The scale at which the list's widest line fits the sheet, never enlarged.
qreal ListScale(QTextDocument& document, const QSizeF& sheet) {
    document.setTextWidth(-1);  // lines break only where the page says so (preformatted lines never)
    return std::min<qreal>(1.0, sheet.width() / std::max<qreal>(1.0, document.idealWidth()));
}

}  // namespace

QString PageFooter(int week, const QString& heading, std::optional<double> series) {
    QString footer = QString("Week %1 \u2013 %2").arg(week).arg(heading);
    if (series) footer += QString(" \u2013 reeks %1").arg(QString::fromStdString(NumberText(*series)));
    return footer;
}

QString TooLargeToPrint(std::string_view weekPage) {
    std::size_t rows = 0;
    for (std::size_t at = 0; at < weekPage.size();) {
        const std::size_t end = std::min(weekPage.find('\n', at), weekPage.size());
        rows += std::max<std::size_t>(1, (end - at + kPrintedRowCharacters - 1) / kPrintedRowCharacters);
        at = end + 1;
    }
    if (rows <= static_cast<std::size_t>(kMaxPrintedRows)) return {};
    return QString("De weekpagina heeft meer dan %L1 regels; zoveel wordt niet afgedrukt.")
        .arg(kMaxPrintedRows);
}

QByteArray PrintedPage(const QByteArray& weekPage, int week, WeekView view) {
    if (view == WeekView::List) return weekPage;
    const std::string_view page(weekPage.constData(), static_cast<std::size_t>(weekPage.size()));
    // On paper at most a week's days side by side, and no cell longer than a sheet.
    constexpr GridLayout kOnPaper{7, 20, 10, kPrintedRowCharacters};
    return QByteArray::fromStdString(GridPage(page, GridOfWeekPage(page, week), kOnPaper));
}

Printed PaintPage(const QByteArray& page, QPagedPaintDevice& device, const QString& footer, WeekView view,
                  const WorkProgress& progress) {
    QPainter painter;
    if (!painter.begin(&device)) return Printed::Failed;
    QTextDocument document;
    // Measured at the device's resolution, so that the fonts' widths on paper are the ones laid out.
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    document.setHtml(WithoutLineBreakAfterPre(DecodePage(page)));

    const QRectF sheet = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const qreal footerHeight = painter.fontMetrics().height() * 2.0;
    const QSizeF printable(sheet.width(), sheet.height() - footerHeight);
    const qreal scale =
        view == WeekView::Grid ? GridScale(document, printable) : ListScale(document, printable);
    const QSizeF content(sheet.width() / scale, (sheet.height() - footerHeight) / scale);
    document.setPageSize(content);  // page breaks fall between lines
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (progress && !progress(index, pages)) {
            painter.end();
            return Printed::Cancelled;
        }
        if (index > 0 && !device.newPage()) return Printed::Failed;
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
    return painter.end() ? Printed::Whole : Printed::Failed;
}

bool AskPrinter(QWidget* owner, QPrinter& printer, const QString& documentName, WeekView view) {
    printer.setPageLayout(A4(view));
    printer.setDocName(documentName);
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

Printed PrintOn(QPrinter& printer, const QByteArray& page, const QString& footer, WeekView view,
                const WorkProgress& progress) {
    const Printed printed = PaintPage(page, printer, footer, view, progress);
    if (printed == Printed::Cancelled) printer.abort();
    return printed;
}

Printed WritePdf(const QByteArray& page, const QString& footer, const std::filesystem::path& file,
                 SpecialFiles special, WeekView view, const WorkProgress& progress) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(A4(view));
        writer.setResolution(300);
        writer.setCreator("OrbelQuint");
        writer.setTitle(footer);
        if (const Printed painted = PaintPage(page, writer, footer, view, progress);
            painted != Printed::Whole)
            return painted;
    }
    AtomicFile target(file, special);
    target.Stream().write(pdf.data().constData(), pdf.data().size());
    return target.Commit() ? Printed::Whole : Printed::Failed;
}

}  // namespace orbelquint
