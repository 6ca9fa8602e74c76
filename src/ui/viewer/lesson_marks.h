#pragma once

#include <QByteArray>

#include "core/views/grid_page.h"
#include "ui/mark_colours.h"

namespace orbelquint {

// The week page as the viewer shows it with what changes in `week` marked: a lesson that starts
// this week is set in bold on the colour of changes, one in its last week underlined on the colour
// of last weeks (their continuation lines too), and a one-line legend stands above the page when
// anything is marked. Only the viewer shows this; the page file is never changed.
QByteArray WithLessonMarks(const QByteArray& page, int week, const MarkColours& colours);

// The same marks for the cells of the week grid, each with a note that says it in words.
ChangeMarks LessonChangeMarks(const MarkColours& colours);

}  // namespace orbelquint
