#include "ui/viewer/lesson_marks.h"

#include <string>
#include <string_view>

#include "core/text/text.h"
#include "core/timetable/lesson_line.h"

namespace orbelquint {
namespace {

// The opening of a marked span: its colours, and a sign that is no colour. The text colour is the
// palette's, which reads on the mark, whatever colour the page gives its text.
std::string MarkStyle(const QColor& text, const QColor& background, const char* sign) {
    return "<span style=\"color:" + text.name().toStdString() +
           ";background-color:" + background.name().toStdString() + ";" + sign + "\">";
}

}  // namespace

ChangeMarks LessonChangeMarks(const MarkColours& colours) {
    return {{MarkStyle(colours.text, colours.changes, "font-weight:bold"), "&ndash; nieuw deze week"},
            {MarkStyle(colours.text, colours.ends, "text-decoration:underline"), "&ndash; laatste week"}};
}

QByteArray WithLessonMarks(const QByteArray& page, int week, const MarkColours& colours) {
    const ChangeMarks marks = LessonChangeMarks(colours);
    const std::string& startsStyle = marks.starts.open;
    const std::string& endsStyle = marks.ends.open;
    const std::string legend = "<p style=\"margin:0\">" + startsStyle +
                               "&nbsp;nieuw deze week (vet)&nbsp;</span> " + endsStyle +
                               "&nbsp;laatste week (onderstreept)&nbsp;</span></p>\r\n";
    const std::string_view bytes(page.constData(), static_cast<std::size_t>(page.size()));
    QByteArray marked;
    marked.reserve(page.size() + page.size() / 4);
    bool inDay = false;
    bool anyMarked = false;
    std::string_view mark;  // of the lesson line above, for its continuation lines
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find('\n', at);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        const std::string_view row = bytes.substr(at, end - at);
        at = end;
        std::string_view line = row;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        if (line.find('<') != std::string_view::npos) {
            if (ContainsNoCase(line, "</pre>")) inDay = false;
            if (ContainsNoCase(line, "<pre>")) inDay = true;
            marked.append(row.data(), static_cast<qsizetype>(row.size()));
            continue;
        }
        if (inDay && !IsContinuation(line)) {
            const LessonChange change = ChangeIn(line, week);
            mark = change == LessonChange::Starts ? startsStyle
                   : change == LessonChange::Ends ? endsStyle
                                                  : std::string_view();
        }
        if (!inDay || mark.empty() || line.empty()) {
            marked.append(row.data(), static_cast<qsizetype>(row.size()));
            continue;
        }
        anyMarked = true;
        marked.append(mark.data(), static_cast<qsizetype>(mark.size()));
        marked.append(line.data(), static_cast<qsizetype>(line.size()));
        marked.append("</span>");
        marked.append(row.data() + line.size(), static_cast<qsizetype>(row.size() - line.size()));
    }
    const qsizetype heading = marked.indexOf("<h1>");
    if (anyMarked && heading >= 0)
        marked.insert(heading, legend.data(), static_cast<qsizetype>(legend.size()));
    return marked;
}

}  // namespace orbelquint
