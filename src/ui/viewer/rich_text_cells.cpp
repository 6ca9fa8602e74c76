#include "ui/viewer/rich_text_cells.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextDocument>

namespace orbelquint {
namespace {

// The cell's text laid out at `width` pixels in `font`.
void LayOut(QTextDocument& document, const QModelIndex& index, const QFont& font, int width) {
    document.setDefaultFont(font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(wrapping);
    document.setHtml(index.data(kRichTextRole).toString());
    document.setTextWidth(width);
}

}  // namespace

void RichTextCells::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    cell.text.clear();  // the background, focus and selection only: the text is drawn below
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    QTextDocument document;
    LayOut(document, index, option.font, option.rect.width());
    QAbstractTextDocumentLayout::PaintContext context;
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    context.palette = option.palette;
    context.palette.setColor(QPalette::Text,
                             option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->save();
    painter->translate(option.rect.topLeft());
    painter->setClipRect(QRect(QPoint(0, 0), option.rect.size()));
    document.documentLayout()->draw(painter, context);
    painter->restore();
}

QSize RichTextCells::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QTextDocument document;
    const int width =
        option.rect.width() > 0 ? option.rect.width() : QFontMetrics(option.font).averageCharWidth() * 20;
    LayOut(document, index, option.font, width);
    return QSize(width, static_cast<int>(std::ceil(document.size().height())));
}

}  // namespace orbelquint
