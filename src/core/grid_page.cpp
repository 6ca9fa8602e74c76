#include "core/grid_page.h"

#include <algorithm>
#include <ostream>

#include "core/number_text.h"
#include "core/text.h"

namespace orbelquint {
namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned long DigitValue(char digit) {
    if (IsDigit(digit)) return static_cast<unsigned long>(digit - '0');
    return static_cast<unsigned long>((digit | 0x20) - 'a' + 10);
}

// A code point that a numeric reference may stand for in text: no control character (but the
// blanks HTML allows), no surrogate, none past Unicode.
bool IsTextCodePoint(unsigned long code) {
    const bool control =
        (code < 0x20 && code != '\t' && code != '\n' && code != '\r') || (code >= 0x7F && code <= 0x9F);
    return !control && !(code >= 0xD800 && code <= 0xDFFF) && code <= 0x10FFFF;
}

// The length of the character reference that `text` begins with ("&amp;", "&eacute;", "&#233;",
// "&#xE9;"), which the page shows as one character and the grid therefore keeps as it is; 0 when
// the '&' is text of its own.
std::size_t ReferenceLength(std::string_view text) {
    constexpr std::size_t kLongestName = 32;
    std::size_t at = 1;
    if (at < text.size() && text[at] != '#') {
        if (!IsAsciiLetter(text[at])) return 0;
        while (at < text.size() && at <= kLongestName && (IsAsciiLetter(text[at]) || IsDigit(text[at])))
            ++at;
        return at < text.size() && text[at] == ';' ? at + 1 : 0;
    }
    ++at;
    const bool hex = at < text.size() && (text[at] == 'x' || text[at] == 'X');
    if (hex) ++at;
    const std::size_t digitsFrom = at;
    unsigned long code = 0;
    for (; at < text.size() && (hex ? IsHexDigit(text[at]) : IsDigit(text[at])) && at - digitsFrom < 8; ++at)
        code = code * (hex ? 16 : 10) + DigitValue(text[at]);
    const bool whole = at > digitsFrom && at < text.size() && text[at] == ';';
    return whole && IsTextCodePoint(code) ? at + 1 : 0;
}

// Text of the data file as HTML text: markup characters escaped, character references kept (so
// the grid shows what the list shows), control characters that HTML does not allow left out.
void AppendEscaped(std::string& html, std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        switch (c) {
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '&':
                if (const std::size_t reference = ReferenceLength(text.substr(at)); reference > 0) {
                    html += text.substr(at, reference);
                    at += reference - 1;
                } else {
                    html += "&amp;";
                }
                break;
            default:
                if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') html += c;
        }
    }
}

// Where the rows that follow the first `rows` rows of `page` begin.
std::size_t AfterFirstRows(std::string_view page, std::size_t rows) {
    std::size_t at = 0;
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t lineFeed = page.find('\n', at);
        if (lineFeed == std::string_view::npos) return page.size();
        at = lineFeed + 1;
    }
    return at;
}

// Where the last `rows` rows of `page` begin.
std::size_t LastRowsStart(std::string_view page, std::size_t rows) {
    std::size_t end = page.size();
    for (std::size_t row = 0; row <= rows; ++row) {
        const std::size_t lineFeed = end == 0 ? std::string_view::npos : page.rfind('\n', end - 1);
        if (lineFeed == std::string_view::npos) return 0;
        end = lineFeed;
    }
    return end + 1;
}

}  // namespace

std::string GridCellHtml(const std::vector<GridLesson>& lessons, const ChangeMarks& marks) {
    std::string html;
    for (const GridLesson& lesson : lessons) {
        static const ChangeMark kNone;
        const ChangeMark& mark = lesson.change == LessonChange::Starts ? marks.starts
                                 : lesson.change == LessonChange::Ends ? marks.ends
                                                                       : kNone;
        html += "<p>";
        html += mark.open;
        AppendEscaped(html, lesson.text);
        if (lesson.series != 0) html += " (reeks " + NumberText(lesson.series) + ")";
        if (!mark.note.empty()) html += " " + mark.note;
        for (const std::string& line : lesson.continuations) {
            html += "<br>";
            AppendEscaped(html, line);
        }
        if (!mark.open.empty()) html += "</span>";
        html += "</p>";
    }
    return html;
}

std::string GridPage(std::string_view weekPage, const WeekGrid& grid) {
    const std::size_t daysFrom = AfterFirstRows(weekPage, kPageRowsBeforeDays);
    const std::size_t daysTo = std::max(daysFrom, LastRowsStart(weekPage, kPageRowsAfterDays));
    // The heading is the data file's text, which the week page has raw: here it is text.
    const std::size_t headingFrom = AfterFirstRows(weekPage, kPageRowsBeforeDays - 1);
    std::string_view heading = weekPage.substr(headingFrom, daysFrom - headingFrom);
    if (heading.ends_with('\n')) heading.remove_suffix(1);
    if (heading.ends_with('\r')) heading.remove_suffix(1);
    if (heading.starts_with(kHeadingRowStart)) heading.remove_prefix(kHeadingRowStart.size());
    if (heading.ends_with(kHeadingRowEnd)) heading.remove_suffix(kHeadingRowEnd.size());
    std::string html(weekPage.substr(0, headingFrom));
    html += kHeadingRowStart;
    AppendEscaped(html, heading);
    html += kHeadingRowEnd;
    html += "\r\n";
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">\r\n<tr><th>Uur</th>";
    for (const std::string& day : grid.days) {
        html += "<th>";
        AppendEscaped(html, day);
        html += "</th>";
    }
    html += "</tr>\r\n";
    for (std::size_t row = 0; row < grid.hours.size(); ++row) {
        html += "<tr><th>" + HourHeading(grid.hours[row]) + "</th>";
        for (const auto& lessons : grid.cells[row])
            html += "<td>" + GridCellHtml(lessons) + "</td>";
        html += "</tr>\r\n";
    }
    html += "</table>\r\n";
    html += weekPage.substr(daysTo);
    return html;
}

WeekPageResult BuildGridPage(const WeekPageRequest& request, std::ostream& page) {
    std::string list;
    WeekPageResult result = BuildWeekPageInMemory(request, list);
    if (result.status != BuildStatus::Complete) return result;
    const std::string grid = GridPage(list, GridOfWeekPage(list, request.currentWeek));
    if (!page.write(grid.data(), static_cast<std::streamsize>(grid.size())).flush())
        return {BuildStatus::Failed, {}, kPageWriteFailure};
    return result;
}

}  // namespace orbelquint
