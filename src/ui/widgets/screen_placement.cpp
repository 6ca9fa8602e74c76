#include "ui/widgets/screen_placement.h"

#include <QScreen>
#include <QWidget>

namespace orbelquint {

void KeepOnScreen(QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect kept = KeptInside(frame, window.screen()->availableGeometry());
    // A fixed-size window keeps its size; resize() leaves it as it is.
    if (kept.size() != frame.size()) window.resize(window.size() - (frame.size() - kept.size()));
    window.move(kept.topLeft());
}

}  // namespace orbelquint
