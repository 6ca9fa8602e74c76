#pragma once

#include <QByteArray>

namespace orbelquint {

// The week page as the viewer shows it with what changes in `week` marked: a lesson that starts
// this week and one in its last week get a background of their own (their continuation lines
// too), and a one-line legend stands above the page when anything is marked. Only the viewer
// shows this; the page file is never changed.
QByteArray WithLessonMarks(const QByteArray& page, int week);

}  // namespace orbelquint
