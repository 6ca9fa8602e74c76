#include "core/views/grid_page.h"

#include <algorithm>
#include <limits>
#include <ostream>

#include "core/text/float_text.h"
#include "core/text/text.h"

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
    const int value = (digit | 0x20) - 'a' + 10;
    return static_cast<unsigned long>(value);
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

// Where grid HTML goes: a string, or a stream written into as the page grows, so that a page is
// never held twice.
class StreamOut {
  public:
    explicit StreamOut(std::ostream& stream) : stream_(stream) {}
    StreamOut& operator+=(std::string_view text) {
        stream_.write(text.data(), static_cast<std::streamsize>(text.size()));
        return *this;
    }
    StreamOut& operator+=(char c) {
        stream_.put(c);
        return *this;
    }

  private:
    std::ostream& stream_;
};

// Text of the data file as HTML text: markup characters escaped, character references kept (so
// the grid shows what the list shows), control characters that HTML does not allow left out.
template <typename Out>
void AppendEscaped(Out& html, std::string_view text) {
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

const ChangeMark& MarkOf(const GridLesson& lesson, const ChangeMarks& marks) {
    static const ChangeMark kNone;
    return lesson.change == LessonChange::Starts ? marks.starts
           : lesson.change == LessonChange::Ends ? marks.ends
                                                 : kNone;
}

// Where the piece of `text` from `at` of at most `most` bytes ends: after a blank near its end where
// there is one, never inside a UTF-8 character or a character reference.
std::size_t PieceEnd(std::string_view text, std::size_t at, std::size_t most) {
    if (text.size() - at <= most) return text.size();
    std::size_t end = at + most;
    const std::size_t blank = text.rfind(' ', end - 1);
    if (blank != std::string_view::npos && blank > at + most / 2) return blank + 1;
    const std::size_t ampersand = text.rfind('&', end - 1);
    if (ampersand != std::string_view::npos && ampersand > at && end - ampersand <= 34 &&
        ReferenceLength(text.substr(ampersand)) > end - ampersand)
        end = ampersand;
    while (end > at + 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return end;
}

// Writes the lines of a cell's lessons, a number of lines at a time: a lesson is a paragraph of
// its line (with its series and mark) and its continuation lines, and a lesson cut between two
// parts is closed at the end of the one and opened again in the next.
template <typename Out>
class CellLines {
  public:
    CellLines(const std::vector<GridLesson>& lessons, const ChangeMarks& marks,
              std::size_t charactersPerLine = std::numeric_limits<std::size_t>::max())
        : lessons_(lessons), marks_(marks), charactersPerLine_(std::max<std::size_t>(1, charactersPerLine)) {}

    bool Done() const { return next_ == lessons_.size(); }

    // Writes at most `count` more lines.
    void Write(Out& html, std::size_t count) {
        for (; count > 0 && !Done(); --count) {
            const GridLesson& lesson = lessons_[next_];
            const ChangeMark& mark = MarkOf(lesson, marks_);
            const bool opened = !open_;
            if (opened) {
                html += "<p>";
                html += mark.open;
                open_ = true;
            }
            if (!lineDone_) {
                if (textAt_ == 0) text_ = LessonText(lesson);
                const std::size_t end = PieceEnd(text_, textAt_, charactersPerLine_);
                AppendEscaped(html, std::string_view(text_).substr(textAt_, end - textAt_));
                textAt_ = end;
                if (textAt_ < text_.size()) {
                    Close(html, mark);  // the line goes on in a paragraph of its own
                    continue;
                }
                textAt_ = 0;
                if (lesson.series != 0) html += " (reeks " + NumberText(lesson.series) + ")";
                if (!mark.note.empty()) html += " " + mark.note;
                lineDone_ = true;
                rest_ = lesson.continuations;
            } else {
                if (!opened) html += "<br>";
                AppendEscaped(html, *pending_);
            }
            pending_ = NextContinuationLine(rest_);
            if (!pending_ || count == 1) Close(html, mark);
            if (!pending_) {
                ++next_;
                lineDone_ = false;
            }
        }
    }

  private:
    void Close(Out& html, const ChangeMark& mark) {
        if (!mark.open.empty()) html += "</span>";
        html += "</p>";
        open_ = false;
    }

    const std::vector<GridLesson>& lessons_;
    const ChangeMarks marks_;
    const std::size_t charactersPerLine_;
    std::string text_;                    // the text of the lesson's line, once begun
    std::size_t textAt_ = 0;              // how much of it is written
    std::size_t next_ = 0;                // the lesson written now or next
    bool open_ = false;                   // its paragraph is open
    bool lineDone_ = false;               // its line is written
    std::string_view rest_;               // its continuation rows after `pending_`
    std::optional<std::string> pending_;  // its next continuation line to write
};

template <typename Out>
void WriteGridPage(Out& html, std::string_view weekPage, const WeekGrid& grid, const GridLayout& layout,
                   const ChangeMarks& marks) {
    const std::size_t daysFrom = AfterFirstRows(weekPage, kPageRowsBeforeDays);
    const std::size_t daysTo = std::max(daysFrom, LastRowsStart(weekPage, kPageRowsAfterDays));
    // The heading is the data file's text, which the week page has raw: here it is text.
    const std::size_t headingFrom = AfterFirstRows(weekPage, kPageRowsBeforeDays - 1);
    std::string_view heading = weekPage.substr(headingFrom, daysFrom - headingFrom);
    if (heading.ends_with('\n')) heading.remove_suffix(1);
    if (heading.ends_with('\r')) heading.remove_suffix(1);
    if (heading.starts_with(kHeadingRowStart)) heading.remove_prefix(kHeadingRowStart.size());
    if (heading.ends_with(kHeadingRowEnd)) heading.remove_suffix(kHeadingRowEnd.size());
    html += weekPage.substr(0, headingFrom);
    html += kHeadingRowStart;
    AppendEscaped(html, heading);
    html += kHeadingRowEnd;
    html += "\r\n";
    const std::size_t daysPerTable = std::max<std::size_t>(1, layout.daysPerTable);
    const std::size_t linesPerRow = std::max<std::size_t>(1, layout.linesPerRow);
    const std::size_t rowsPerTable = std::max<std::size_t>(1, layout.rowsPerTable);
    for (std::size_t first = 0; first == 0 || first < grid.days.size(); first += daysPerTable) {
        const std::size_t last = std::min(grid.days.size(), first + daysPerTable);
        const auto openTable = [&](bool newSheet) {
            html += newSheet ? "<table style=\"page-break-before: always\"" : "<table";
            html +=
                " border=\"1\" cellspacing=\"0\" cellpadding=\"4\" "
                "width=\"100%\">\r\n<thead><tr><th>Uur</th>";
            for (std::size_t day = first; day < last; ++day) {
                html += "<th>";
                AppendEscaped(html, grid.days[day]);
                html += "</th>";
            }
            html += "</tr></thead>\r\n";
        };
        openTable(first > 0);
        std::size_t rowsInTable = 0;
        for (std::size_t row = 0; row < grid.hours.size(); ++row) {
            std::vector<CellLines<Out>> cells;
            for (std::size_t day = first; day < last; ++day)
                cells.emplace_back(grid.cells[row][day], marks, layout.charactersPerLine);
            // An hour whose cells hold more lines than a row may goes on in rows of its own.
            for (bool more = true, next = false; more; next = true) {
                if (rowsInTable++ == rowsPerTable) {
                    html += "</table>\r\n";
                    openTable(false);
                    rowsInTable = 1;
                }
                html += "<tr><th>" + HourHeading(grid.hours[row]) + (next ? " (vervolg)" : "") + "</th>";
                more = false;
                for (CellLines<Out>& cell : cells) {
                    html += "<td>";
                    cell.Write(html, linesPerRow);
                    html += "</td>";
                    more = more || !cell.Done();
                }
                html += "</tr>\r\n";
            }
        }
        html += "</table>\r\n";
    }
    html += weekPage.substr(daysTo);
}

// The week page of `request` in memory, in `list`, and its grid; Failed for a week of more than
// kMaxGridLessons lessons.
WeekPageResult ListAndGrid(const WeekPageRequest& request, std::string& list, WeekGrid& grid) {
    WeekPageResult result = BuildWeekPageInMemory(request, list);
    if (result.status != BuildStatus::Complete) return result;
    grid = GridOfWeekPage(list, request.currentWeek);
    if (grid.lessonsLeftOut > 0) return {BuildStatus::Failed, {}, TooManyLessons("dat raster")};
    return result;
}

}  // namespace

std::string GridCellHtml(const std::vector<GridLesson>& lessons, const ChangeMarks& marks) {
    std::string html;
    CellLines<std::string>(lessons, marks).Write(html, std::numeric_limits<std::size_t>::max());
    return html;
}

std::string GridPage(std::string_view weekPage, const WeekGrid& grid, const GridLayout& layout,
                     const ChangeMarks& marks) {
    std::string html;
    WriteGridPage(html, weekPage, grid, layout, marks);
    return html;
}

WeekPageResult BuildGridPage(const WeekPageRequest& request, std::ostream& page) {
    std::string list;
    WeekGrid grid;
    WeekPageResult result = ListAndGrid(request, list, grid);
    if (result.status != BuildStatus::Complete) return result;
    StreamOut out(page);
    WriteGridPage(out, list, grid, {}, {});
    if (!page.flush()) return {BuildStatus::PageNotWritten, {}, kPageWriteFailure};
    return result;
}

WeekPageResult BuildGridPageInMemory(const WeekPageRequest& request, std::string& page,
                                     const ChangeMarks& marks) {
    std::string list;
    WeekGrid grid;
    WeekPageResult result = ListAndGrid(request, list, grid);
    if (result.status == BuildStatus::Complete) WriteGridPage(page, list, grid, {}, marks);
    return result;
}

}  // namespace orbelquint
