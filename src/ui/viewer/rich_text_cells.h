#pragma once

#include <QStyledItemDelegate>

namespace orbelquint {

// The role of a cell's rich text (HTML); its display text is the same as plain text, which screen
// readers read and copying takes.
inline constexpr int kRichTextRole = Qt::UserRole + 1;

// Draws the rich text of a cell, wrapped to the cell's width (between words, or anywhere in a word
// wider than the cell), in the view's palette; its height follows from that width.
class RichTextCells : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace orbelquint
