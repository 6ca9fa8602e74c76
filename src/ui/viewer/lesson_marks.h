#pragma once

#include <QByteArray>

#include "core/views/lesson_marks.h"
#include "ui/mark_colours.h"

namespace orbelquint {

// The week page as the viewer shows it with what changes in `week` marked in the palette's colours
// (core's WithLessonMarks). Only the viewer shows this; the page file is never changed.
QByteArray WithLessonMarks(const QByteArray& page, int week, const MarkColours& colours);

// The marks in the palette's colours, also for the cells of the week grid.
ChangeMarks LessonChangeMarks(const MarkColours& colours);

}  // namespace orbelquint
