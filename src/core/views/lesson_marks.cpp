#include "core/views/lesson_marks.h"

#include "core/text/text.h"
#include "core/timetable/lesson_line.h"

namespace orbelquint {
namespace {

// The opening of a marked span: its colours, and a sign that is no colour.
std::string MarkStyle(std::string_view text, std::string_view background, std::string_view sign) {
    return "<span style=\"color:" + std::string(text) + ";background-color:" + std::string(background) + ";" +
           std::string(sign) + "\">";
}

}  // namespace

ChangeMarks LessonChangeMarks(std::string_view text, std::string_view changes, std::string_view ends) {
    return {
        {MarkStyle(text, changes, "font-weight:bold"), "&ndash; nieuw deze week", "nieuw deze week (vet)"},
        {MarkStyle(text, ends, "text-decoration:underline"), "&ndash; laatste week",
         "laatste week (onderstreept)"}};
}

std::string WithLessonMarks(std::string_view page, int week, const ChangeMarks& marks) {
    std::string marked;
    marked.reserve(page.size() + page.size() / 4);
    bool inDay = false;
    bool anyMarked = false;
    std::string_view mark;  // of the lesson line above, for its continuation lines
    for (std::size_t at = 0; at < page.size();) {
        std::size_t end = page.find('\n', at);
        end = end == std::string_view::npos ? page.size() : end + 1;
        const std::string_view row = page.substr(at, end - at);
        at = end;
        std::string_view line = row;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        if (line.find('<') != std::string_view::npos) {
            if (ContainsNoCase(line, "</pre>")) inDay = false;
            if (ContainsNoCase(line, "<pre>")) inDay = true;
            marked += row;
            continue;
        }
        if (inDay && !IsContinuation(line)) {
            const LessonChange change = ChangeIn(line, week);
            mark = change == LessonChange::Starts ? marks.starts.open
                   : change == LessonChange::Ends ? marks.ends.open
                                                  : std::string_view();
        }
        if (!inDay || mark.empty() || line.empty()) {
            marked += row;
            continue;
        }
        anyMarked = true;
        marked += mark;
        marked += line;
        marked += "</span>";
        marked += row.substr(line.size());
    }
    const std::size_t heading = marked.find("<h1>");
    if (anyMarked && heading != std::string::npos) {
        const std::string legend = "<p style=\"margin:0\">" + marks.starts.open + "&nbsp;" +
                                   marks.starts.legend + "&nbsp;</span> " + marks.ends.open + "&nbsp;" +
                                   marks.ends.legend + "&nbsp;</span></p>\r\n";
        marked.insert(heading, legend);
    }
    return marked;
}

}  // namespace orbelquint
