#pragma once

#include <QColor>
#include <QPalette>

namespace orbelquint {

// The backgrounds the windows mark weeks and lessons with, mixed from the palette so that they
// follow the user's theme, light or dark, and keep its text readable. One meaning per colour in
// both windows; each mark also has a sign that is no colour (see where they are used).
struct MarkColours {
    QColor text;     // the text on every mark, also where a page sets colours of its own
    QColor covered;  // a week the data file covers
    QColor changes;  // the timetable changes: a change week, a lesson that starts this week
    QColor ends;     // a lesson in its last week
    // The weekend's day numbers in the calendar: the hue of visited links (the palette has no red),
    // taken toward the text colour as far as it must to read on the base and every mark.
    QColor weekend;
};

MarkColours MarkColoursOf(const QPalette& palette);

// `base` with `share` (0 to 1) of `tint` mixed in.
QColor Mixed(const QColor& base, const QColor& tint, double share);

// How far apart two colours are for reading one on the other, as the web's accessibility rules
// measure it: from 1 (the same) to 21 (black on white); text wants at least 4.5.
double ContrastRatio(const QColor& one, const QColor& other);

}  // namespace orbelquint
