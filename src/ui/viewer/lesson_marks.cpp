#include "ui/viewer/lesson_marks.h"

#include <string>
#include <string_view>

namespace orbelquint {

ChangeMarks LessonChangeMarks(const MarkColours& colours) {
    return LessonChangeMarks(colours.text.name().toStdString(), colours.changes.name().toStdString(),
                             colours.ends.name().toStdString());
}

QByteArray WithLessonMarks(const QByteArray& page, int week, const MarkColours& colours) {
    const std::string_view bytes(page.constData(), static_cast<std::size_t>(page.size()));
    return QByteArray::fromStdString(WithLessonMarks(bytes, week, LessonChangeMarks(colours)));
}

}  // namespace orbelquint
