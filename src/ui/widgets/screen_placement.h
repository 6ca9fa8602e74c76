#pragma once

#include <QRect>
#include <algorithm>

class QWidget;

namespace orbelquint {

// Where a window frame goes so that it lies inside the screen's free area: moved as little as
// possible, and made smaller where it is larger than the area.
inline QRect KeptInside(QRect frame, QRect available) {
    const QSize size = frame.size().boundedTo(available.size());
    const int left = std::clamp(frame.left(), available.left(), available.right() - size.width() + 1);
    const int top = std::clamp(frame.top(), available.top(), available.bottom() - size.height() + 1);
    return {QPoint(left, top), size};
}

// Moves (and where needed shrinks) a shown window to lie inside its screen's free area.
void KeepOnScreen(QWidget& window);

}  // namespace orbelquint
