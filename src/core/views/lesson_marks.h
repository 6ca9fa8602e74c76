#pragma once

#include <string>
#include <string_view>

namespace orbelquint {

// How a lesson that starts or ends in the week is marked: the opening of a span around it (empty:
// none), a note said after it in a grid cell, and what the legend calls it; so that the mark is
// more than a colour.
struct ChangeMark {
    std::string open;
    std::string note;
    std::string legend;
};

struct ChangeMarks {
    ChangeMark starts;
    ChangeMark ends;
};

// The marks that both fronts show: a lesson that starts this week in bold on the colour of changes,
// one in its last week underlined on the colour of last weeks, each in the text colour given (CSS
// colours, "#rrggbb"), which reads on both marks whatever colours a page sets.
ChangeMarks LessonChangeMarks(std::string_view text, std::string_view changes, std::string_view ends);

// The week page as shown with what changes in `week` marked: every lesson line that starts in the
// week or runs in its last week, with its continuation lines, inside its mark's span, and a
// one-line legend above the page's <h1> heading when anything is marked. Only what is shown
// changes; the page file and its bytes stay as they are.
std::string WithLessonMarks(std::string_view page, int week, const ChangeMarks& marks);

}  // namespace orbelquint
