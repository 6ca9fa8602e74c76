#include "ui/widgets/twips.h"

#include <QFontMetricsF>

namespace orbelquint {

QFont DesignFont() {
    // Liberation Sans has the widths of the font the layout was designed with.
    QFont font("Liberation Sans", 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

TwipScale TwipScaleFor(const QFont& font) {
    constexpr char kSample[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const QFontMetricsF design(DesignFont());
    const QFontMetricsF given(font);
    return {given.horizontalAdvance(kSample) / design.horizontalAdvance(kSample),
            given.height() / design.height()};
}

}  // namespace orbelquint
