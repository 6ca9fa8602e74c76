#include "ui/mark_colours.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace orbelquint {
namespace {

// How much of the tint goes into each mark: enough to tell them apart, little enough that the
// palette's text keeps its contrast on them.
constexpr double kCoveredShare = 0.12;
constexpr double kMarkShare = 0.3;

double RelativeLuminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// `tint` taken toward `text` until it reads on every one of `backgrounds`; `text` itself reads on
// them all.
QColor ReadableOn(const QColor& tint, const QColor& text, std::initializer_list<QColor> backgrounds) {
    constexpr double kReadable = 4.5;
    for (int step = 0; step < 20; ++step) {
        const QColor colour = Mixed(tint, text, step / 20.0);
        if (std::all_of(backgrounds.begin(), backgrounds.end(), [&colour](const QColor& background) {
                return ContrastRatio(colour, background) >= kReadable;
            }))
            return colour;
    }
    return text;
}

}  // namespace

QColor Mixed(const QColor& base, const QColor& tint, double share) {
    const auto channel = [share](double from, double to) { return from + (to - from) * share; };
    return QColor::fromRgbF(static_cast<float>(channel(base.redF(), tint.redF())),
                            static_cast<float>(channel(base.greenF(), tint.greenF())),
                            static_cast<float>(channel(base.blueF(), tint.blueF())));
}

double ContrastRatio(const QColor& one, const QColor& other) {
    const double lighter = std::max(RelativeLuminance(one), RelativeLuminance(other));
    const double darker = std::min(RelativeLuminance(one), RelativeLuminance(other));
    return (lighter + 0.05) / (darker + 0.05);
}

MarkColours MarkColoursOf(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    MarkColours colours{text,
                        Mixed(base, text, kCoveredShare),
                        Mixed(base, palette.color(QPalette::Highlight), kMarkShare),
                        Mixed(base, palette.color(QPalette::LinkVisited), kMarkShare),
                        {}};
    colours.weekend = ReadableOn(palette.color(QPalette::LinkVisited), text,
                                 {base, palette.color(QPalette::Window), colours.covered, colours.changes});
    return colours;
}

}  // namespace orbelquint
