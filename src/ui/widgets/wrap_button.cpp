#include "ui/widgets/wrap_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace orbelquint {

WrapButton::WrapButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void WrapButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().adjusted(margin, 0, -margin, 0), Qt::AlignCenter | Qt::TextWordWrap, text());
}

}  // namespace orbelquint
