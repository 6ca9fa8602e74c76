#pragma once

#include <QRect>
#include <cmath>

#include "ui/viewer/viewer_size.h"

namespace orbelquint {

// Device-independent pixels of a length in twips.
inline int Pixels(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// The rectangle of a control laid out in twips relative to its container.
inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(Pixels(static_cast<float>(left)), Pixels(static_cast<float>(top)),
                 Pixels(static_cast<float>(width)), Pixels(static_cast<float>(height)));
}

}  // namespace orbelquint
