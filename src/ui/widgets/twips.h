#pragma once

#include <QFont>
#include <QRect>
#include <cmath>

#include "ui/viewer/viewer_size.h"

namespace orbelquint {

// The font the windows were laid out in, in twips: at it, every caption and label fits its control.
QFont DesignFont();

// How a font measures against the design font, across (the width of a sample text) and down (its
// line height): the factors by which a layout in twips grows with a larger font and shrinks with a
// smaller one, as dialog units follow the system font. Both are 1 at the design font.
struct TwipScale {
    double across = 1;
    double down = 1;
};
TwipScale TwipScaleFor(const QFont& font);

// Device-independent pixels of a length in twips, 15 twips to a pixel at the design font.
inline int Pixels(float twips, double scale = 1) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel * scale));
}

// The rectangle of a control laid out in twips relative to its container.
inline QRect TwipsRect(int left, int top, int width, int height, const TwipScale& scale = {}) {
    return QRect(Pixels(static_cast<float>(left), scale.across), Pixels(static_cast<float>(top), scale.down),
                 Pixels(static_cast<float>(width), scale.across),
                 Pixels(static_cast<float>(height), scale.down));
}

}  // namespace orbelquint
