// The week grid against a model: timetables generated with what each lesson is known, built into a
// week page by the real builder, and every shown lesson looked for in its cell.
#include "core/views/week_grid.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <sstream>

#include "core/timetable/bounded_buffer.h"
#include "core/timetable/week_page.h"
#include "core/views/grid_page.h"
#include "support/test_files.h"

namespace orbelquint {
namespace {

// What a cell must show of a lesson.
struct ShownLesson {
    std::string text;
    std::vector<std::string> continuations;
    double series = 0;
    LessonChange change = LessonChange::None;
};

struct ModelGrid {
    std::vector<std::string> days;
    std::vector<int> hours;
    std::vector<std::vector<std::vector<ShownLesson>>> cells;
};

struct ModelLesson {
    std::string line;  // as the data file has it
    int hour = kNoHour;
    std::int16_t from = 0;
    std::int16_t to = 0;
    int series = 0;
    ShownLesson expected;  // what its cell must show, whatever the week
};

struct ModelDay {
    std::string name;
    std::vector<ModelLesson> lessons;
};

std::string Padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

std::string TwoDigits(int number) {
    return (number < 10 ? " " : "") + std::to_string(number);
}

// A lesson line in the data file's columns; its text may hold markup characters and runs of blanks.
ModelLesson RandomLesson(std::mt19937& random) {
    static const char* kWords[] = {"Analyse", "Frans", "<b>vet</b>", "R&D", "po\xebzie", "a  b", "x"};
    const auto pick = [&random](int count) {
        return static_cast<int>(random() % static_cast<unsigned>(count));
    };
    ModelLesson lesson;
    lesson.from = static_cast<std::int16_t>(1 + pick(52));
    lesson.to =
        static_cast<std::int16_t>(pick(8) == 0 ? lesson.from - 1 : lesson.from + pick(53 - lesson.from));
    lesson.series = pick(3) == 0 ? 1 + pick(4) : 0;
    const bool hasHour = pick(6) != 0;
    lesson.hour = hasHour ? 1 + pick(12) : kNoHour;
    const std::string hour = hasHour ? Padded(std::to_string(lesson.hour), 2) : "MU";
    const std::string text = std::string(kWords[pick(7)]) + " " + kWords[pick(7)];
    const std::string seriesField = lesson.series != 0 ? " " + std::to_string(lesson.series)
                                    : pick(2)          ? " 0"
                                                       : "  ";
    lesson.line =
        Padded(hour + " WIS  PEE " + TwoDigits(lesson.from) + "-" + TwoDigits(lesson.to) + " B104  " + text,
               50) +
        seriesField;
    // The weeks it runs are left out: they say nothing within one week.
    std::string expected =
        (hasHour ? "" : "MU ") + std::string("WIS PEE B104 ") + text + (seriesField == " 0" ? " 0" : "");
    // Runs of blanks are one blank in the grid.
    for (std::size_t at; (at = expected.find("  ")) != std::string::npos;)
        expected.erase(at, 1);
    if (expected.starts_with(' ')) expected.erase(0, 1);
    lesson.expected.text = expected;
    lesson.expected.series = lesson.series;
    return lesson;
}

struct ModelTimetable {
    std::string bytes;
    std::vector<ModelDay> days;
};

ModelTimetable RandomTimetable(unsigned seed) {
    std::mt19937 random(seed);
    static const char* kDays[] = {"Maandag", "Dinsdag", " Woensdag ", "Donderdag", "Vrijdag", "Maandag"};
    ModelTimetable timetable;
    timetable.bytes = "<html><body><h1> 4A </h1>\r\n<pre>\r\n</pre>\r\n";
    const int dayCount = 1 + static_cast<int>(random() % 6);
    for (int day = 0; day < dayCount; ++day) {
        ModelDay model{kDays[day], {}};
        const int lessons = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < lessons; ++i) {
            ModelLesson lesson = RandomLesson(random);
            timetable.bytes +=
                (i == 0 ? "<h3>" + model.name + "</h3><pre>" : std::string()) + lesson.line + "\r\n";
            for (auto count = random() % 3; count > 0; --count) {
                const std::string note =
                    count == 2 && random() % 2 ? "" : "(noot " + std::to_string(count) + ")";
                // A blank continuation line is exactly two blanks: a longer one ends the day.
                timetable.bytes += "  " + (note.empty() ? "" : Padded("", random() % 14) + note) + "\r\n";
                if (!note.empty()) lesson.expected.continuations.push_back(note);
            }
            model.lessons.push_back(std::move(lesson));
        }
        timetable.bytes += "</pre>\r\n";
        timetable.days.push_back(std::move(model));
    }
    timetable.bytes += "<h3>Verklaring</h3><pre>\r\n</pre></body></html>\r\n";
    return timetable;
}

// The grid the model expects for `week`, with or without a series filter.
ModelGrid ExpectedGrid(const ModelTimetable& timetable, int week, std::optional<int> series) {
    std::vector<std::map<int, std::vector<ShownLesson>>> days;
    ModelGrid grid;
    for (const ModelDay& day : timetable.days) {
        grid.days.push_back(day.name);
        auto& hours = days.emplace_back();
        for (const ModelLesson& lesson : day.lessons) {
            const bool runs = lesson.from <= week && week <= lesson.to;
            const bool passes = !series || lesson.series == 0 || lesson.series == *series;
            if (!runs || !passes) continue;
            ShownLesson shown = lesson.expected;
            shown.change = lesson.from == week ? LessonChange::Starts
                           : lesson.to == week ? LessonChange::Ends
                                               : LessonChange::None;
            hours[lesson.hour].push_back(shown);
        }
    }
    std::set<int> hours;
    for (const auto& day : days)
        for (const auto& [hour, lessons] : day)
            hours.insert(hour);
    grid.hours.assign(hours.begin(), hours.end());
    for (const int hour : grid.hours) {
        auto& row = grid.cells.emplace_back();
        for (auto& day : days)
            row.push_back(day[hour]);
    }
    return grid;
}

std::vector<std::string> ContinuationLines(const GridLesson& lesson) {
    std::vector<std::string> lines;
    std::string_view rows = lesson.continuations;
    while (const std::optional<std::string> line = NextContinuationLine(rows))
        lines.push_back(*line);
    return lines;
}

void ExpectSameGrid(const WeekGrid& actual, const ModelGrid& expected, const std::string& where) {
    ASSERT_EQ(actual.days, expected.days) << where;
    ASSERT_EQ(actual.hours, expected.hours) << where;
    for (std::size_t row = 0; row < expected.hours.size(); ++row) {
        for (std::size_t column = 0; column < expected.days.size(); ++column) {
            const auto& want = expected.cells[row][column];
            const auto& got = actual.cells[row][column];
            ASSERT_EQ(got.size(), want.size())
                << where << " hour " << expected.hours[row] << " day " << column;
            for (std::size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(LessonText(got[i]), want[i].text) << where;
                EXPECT_EQ(ContinuationLines(got[i]), want[i].continuations) << where;
                EXPECT_EQ(got[i].series, want[i].series) << where;
                EXPECT_EQ(got[i].change, want[i].change) << where;
            }
        }
    }
}

std::string PageOf(const std::filesystem::path& dataFile, int week, std::optional<int> series) {
    WeekPageRequest request;
    request.dataFile = dataFile.string();
    request.currentWeek = static_cast<std::int16_t>(week);
    request.seriesFilter = series.has_value();
    request.chosenSeries = series.value_or(0);
    std::ostringstream page;
    EXPECT_EQ(BuildWeekPage(request, page).status, BuildStatus::Complete);
    return page.str();
}

TEST(WeekGridTest, EveryShownLessonStandsInTheCellOfItsDayAndHourAndNothingElseDoes) {
    const test_support::TempDir folder;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        const ModelTimetable timetable = RandomTimetable(seed);
        const auto file = folder.Write("rooster.htm", timetable.bytes);
        for (const int week : {1, 20, 37, 52}) {
            for (const std::optional<int> series : {std::optional<int>(), std::optional<int>(2)}) {
                const std::string where = "seed " + std::to_string(seed) + " week " + std::to_string(week);
                const std::string page = PageOf(file, week, series);
                ExpectSameGrid(GridOfWeekPage(page, week), ExpectedGrid(timetable, week, series), where);
                if (HasFatalFailure()) return;
            }
        }
    }
}

TEST(WeekGridTest, TheSampleWeekHasItsDaysHoursAndStackedSeries) {
    const std::string sample = PageOf(test_support::SampleDataFile(), 50, std::nullopt);
    const WeekGrid grid = GridOfWeekPage(sample, 50);
    EXPECT_EQ(grid.days,
              (std::vector<std::string>{"Maandag", "Dinsdag", "Woensdag", "Donderdag", "Vrijdag"}));
    EXPECT_EQ(grid.hours, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    const auto& thursdaySixth = grid.cells[5][3];
    ASSERT_EQ(thursdaySixth.size(), 2U);
    EXPECT_EQ(LessonText(thursdaySixth[0]), "DUI WIL A206 Duits");
    EXPECT_EQ(thursdaySixth[1].series, 2);
    EXPECT_EQ(grid.cells[2][0][0].change, LessonChange::Starts);  // Herhaling wiskunde, weeks 50-51
    // A page cut short gives the grid of its whole rows.
    const std::string page = PageOf(test_support::SampleDataFile(), 50, std::nullopt);
    const WeekGrid cut = GridOfWeekPage(std::string_view(page).substr(0, page.find("Dinsdag") + 20), 50);
    EXPECT_EQ(cut.days.size(), 2U);
}

// The grid page in memory is the tool's, and with marks the same page with its changes marked.
TEST(GridPageTest, AGridPageInMemoryIsTheStreamedOneWithItsMarks) {
    WeekPageRequest request;
    request.dataFile = test_support::SampleDataFile().string();
    request.currentWeek = 50;
    std::ostringstream streamed;
    ASSERT_EQ(BuildGridPage(request, streamed).status, BuildStatus::Complete);
    std::string plain;
    ASSERT_EQ(BuildGridPageInMemory(request, plain, {}).status, BuildStatus::Complete);
    EXPECT_EQ(plain, streamed.str());
    std::string marked;
    const ChangeMarks marks = LessonChangeMarks("#000000", "#cdebc9", "#fbdcc2");
    ASSERT_EQ(BuildGridPageInMemory(request, marked, marks).status, BuildStatus::Complete);
    EXPECT_NE(marked.find(marks.starts.open + "HER PEE B104 Herhaling wiskunde &ndash; nieuw deze week"),
              std::string::npos);
    request.dataFile = "niet er.htm";
    std::string none;
    EXPECT_EQ(BuildGridPageInMemory(request, none, marks).status, BuildStatus::Failed);
    EXPECT_TRUE(none.empty());
}

TEST(WeekGridTest, AnHourIsTheLeadingWholeNumberUpTo99) {
    const std::pair<const char*, int> cases[] = {{"7  WIS", 7},
                                                 {"  12 x", 12},
                                                 {"99 x", 99},
                                                 {"100 x", kNoHour},
                                                 {"0123456789012345678901", kNoHour},
                                                 {"MU x", kNoHour},
                                                 {"", kNoHour},
                                                 {"3.5 x", 3}};
    for (const auto& [line, hour] : cases)
        EXPECT_EQ(LessonHour(line), hour) << line;
}

TEST(WeekGridTest, AMemoryPageStopsAtItsLimitAndSaysSo) {
    BoundedBuffer buffer(10);
    std::ostream stream(&buffer);
    stream << "12345678";
    EXPECT_FALSE(buffer.Overflowed());
    stream << "9ab" << std::flush;
    EXPECT_TRUE(buffer.Overflowed());
    EXPECT_FALSE(stream);
    EXPECT_EQ(buffer.TakeBytes(), "12345678");
}

TEST(GridPageTest, TextOfTheDataFileNeverBecomesMarkup) {
    const std::string line = "1  WIS  PEE 01-52 <script>x</script> & co 2";
    const GridLesson lesson{line, 1, "    <b>noot</b>\r\n", 2, LessonChange::Starts};
    const ChangeMarks marks{{"<span class=\"nieuw\">", "(nieuw)", "nieuw"},
                            {"<span>", "(laatste)", "laatste"}};
    EXPECT_EQ(GridCellHtml({lesson}, marks),
              "<p><span class=\"nieuw\">WIS PEE &lt;script&gt;x&lt;/script&gt; &amp; co (reeks 2) (nieuw)<br>"
              "&lt;b&gt;noot&lt;/b&gt;</span></p>");
}

// Text of the data file is shown in the grid as the list shows it: references as the characters
// they stand for, everything else as text; control characters HTML does not allow are left out.
TEST(GridPageTest, TextShowsAsInTheListAndNeverAsMarkup) {
    const std::pair<std::string, std::string> cases[] = {
        {"Ma & Di <script>", "Ma &amp; Di &lt;script&gt;"},
        {"Ma&amp; caf&eacute; &#233; &#xE9;", "Ma&amp; caf&eacute; &#233; &#xE9;"},
        {"&#0; &#x80; &#xD800; &#1114112; &; &#; &#x; &x &amp",
         "&amp;#0; &amp;#x80; &amp;#xD800; &amp;#1114112; "
         "&amp;; &amp;#; &amp;#x; &amp;x &amp;amp"},
        {std::string("a\0b\x01\x1f\x7f\tc\xE9", 9), "ab\tc\xE9"},
    };
    for (const auto& [text, html] : cases) {
        const std::string continuation = "  " + text + "\r\n";
        const std::string line = "1  WIS  PEE 01-52 " + text;
        const GridLesson lesson{line, 1, continuation, 0, LessonChange::None};
        std::string expected = "<p>WIS PEE ";
        expected += html;
        expected += "<br>";
        expected += html;
        expected += "</p>";
        EXPECT_EQ(GridCellHtml({lesson}), expected) << text;
    }
    const test_support::TempDir folder;
    for (const std::string heading : {"X <!-- ", "<script>alert(1)</script>"}) {
        const auto file = folder.Write(
            "rooster.htm", "<h1>" + heading +
                               "</h1>\r\n<pre>\r\n"
                               "<h3>Ma &amp; <b>Di</b></h3><pre>\r\n1  WIS      01-52 B104   \r\n</pre>\r\n");
        const std::string list = PageOf(file, 5, std::nullopt);
        const std::string grid = GridPage(list, GridOfWeekPage(list, 5));
        EXPECT_EQ(grid.find("<!--"), std::string::npos) << grid;
        EXPECT_EQ(grid.find("<script"), std::string::npos) << grid;
        EXPECT_NE(grid.find("<th>Ma &amp; &lt;b&gt;Di&lt;/b&gt;</th>"), std::string::npos) << grid;
        EXPECT_NE(grid.find("<td><p>WIS B104</p></td>"), std::string::npos) << grid;
    }
}

// On paper a grid goes a few days to a table, each on sheets of its own, and an hour's lessons a
// few lines to a row: a lesson cut between rows goes on in the next, and a table of a few rows is
// followed by the next with the same header row.
TEST(GridPageTest, APrintedGridIsSplitByDaysLinesAndRows) {
    const std::string frame = "<html><head><title>t</title>\r\nHEAD\r\n<h1>w</h1>\r\n<h2>4A</h2><hr>\r\n";
    const std::string end = "\r\nFOOT\r\n</body></html>\r\n";
    WeekGrid grid;
    grid.days = {"Ma", "Di", "Wo"};
    grid.hours = {1, 2};
    grid.cells = {{{{"A  ", 0, "  a1\r\n  \r\n  a2\r\n  a3\r\n"}}, {{"B  ", 0, ""}}, {{"C  ", 0, ""}}},
                  {{{"D  ", 0, ""}}, {}, {}}};
    const std::string table = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">\r\n";
    const std::string newSheet =
        "<table style=\"page-break-before: always\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\" "
        "width=\"100%\">\r\n";
    EXPECT_EQ(GridPage(frame + end, grid, GridLayout{2, 3, 2}),
              frame + table + "<thead><tr><th>Uur</th><th>Ma</th><th>Di</th></tr></thead>\r\n" +
                  "<tr><th>1</th><td><p>A<br>a1<br>a2</p></td><td><p>B</p></td></tr>\r\n" +
                  "<tr><th>1 (vervolg)</th><td><p>a3</p></td><td></td></tr>\r\n</table>\r\n" + table +
                  "<thead><tr><th>Uur</th><th>Ma</th><th>Di</th></tr></thead>\r\n" +
                  "<tr><th>2</th><td><p>D</p></td><td></td></tr>\r\n</table>\r\n" + newSheet +
                  "<thead><tr><th>Uur</th><th>Wo</th></tr></thead>\r\n" +
                  "<tr><th>1</th><td><p>C</p></td></tr>\r\n<tr><th>2</th><td></td></tr>\r\n</table>\r\n" +
                  end);
}

// On paper a long lesson line goes on in paragraphs of at most so many bytes, each a line of the
// row, cut after a blank where one is near and never inside a character or a reference; together
// they hold the whole text.
TEST(GridPageTest, APrintedLongLineGoesOnInShortParagraphs) {
    const std::string frame = "<html><head><title>t</title>\r\nHEAD\r\n<h1>w</h1>\r\n<h2>4A</h2><hr>\r\n";
    std::string text;
    for (int word = 0; text.size() < 5000; ++word)
        text += (word % 7 == 0 ? std::string(40, 'x') : "caf\xC3\xA9 &eacute;") + " ";
    const std::string line = "1  " + text;
    WeekGrid grid;
    grid.days = {"Ma"};
    grid.hours = {1};
    grid.cells = {{{{line, 1, ""}}}};
    const std::string page = GridPage(frame + "\r\nF\r\n</body></html>\r\n", grid, GridLayout{7, 20, 10, 50});
    std::string joined;
    std::size_t paragraphs = 0;
    for (std::size_t at = 0; (at = page.find("<p>", at)) != std::string::npos; ++paragraphs) {
        at += 3;
        const std::string piece = page.substr(at, page.find("</p>", at) - at);
        EXPECT_LE(piece.size(), 50U + 20U) << piece;  // a reference escaped may grow it a little
        EXPECT_FALSE(piece.ends_with("\xC3")) << piece;
        EXPECT_EQ(piece.find_last_of('&') == std::string::npos ||
                      piece.find(';', piece.find_last_of('&')) != std::string::npos,
                  true)
            << piece;
        joined += piece;
    }
    EXPECT_GT(paragraphs, 100U);
    EXPECT_TRUE(joined == LessonText(grid.cells[0][0][0])) << joined.substr(0, 200);
    // Twenty of them to a row, so the hour goes on in rows of its own.
    EXPECT_NE(page.find("<th>1 (vervolg)</th>"), std::string::npos);
}

// A grid holds exactly kMaxGridLessons lessons and leaves out the next.
TEST(WeekGridTest, HoldsExactlyTheMostLessons) {
    std::string page =
        "<html><head><title>t</title>\r\nHEAD\r\n<h1>w</h1>\r\n<h2>4A</h2><hr>\r\n"
        "<h3>Maandag</h3><pre>\r\n";
    for (std::size_t i = 0; i <= kMaxGridLessons; ++i)
        page += "1  WIS  PEE 01-52 B104  Les\r\n";
    page += "</pre>\r\n\r\nF\r\n</body></html>\r\n";
    EXPECT_EQ(GridOfWeekPage(page, 5).lessonsLeftOut, 1U);
    const std::size_t last = page.rfind("1  WIS");
    const std::string fewer = page.substr(0, last) + page.substr(page.find("</pre>", last));
    EXPECT_EQ(GridOfWeekPage(fewer, 5).lessonsLeftOut, 0U);
}

// The rows run by hour with the lessons without one last; a series of two digits is whole.
TEST(GridPageTest, RowsRunByHourAndLessonsWithoutOneComeLast) {
    const test_support::TempDir folder;
    const auto file = folder.Write("rooster.htm",
                                   "<h1>4A</h1>\r\n<pre>\r\n<h3>Ma</h3><pre>\r\n"
                                   "MU STU  PEE 01-52 B104  Studie     \r\n"
                                   "99 LAT  PEE 01-52 B104  Laat       \r\n"
                                   "1  ANA  PEE 01-52 B104  Analyse 1 12\r\n</pre>\r\n");
    const std::string list = PageOf(file, 5, std::nullopt);
    const std::string grid = GridPage(list, GridOfWeekPage(list, 5));
    const std::size_t first =
        grid.find("<tr><th>1</th><td><p>ANA PEE B104 Analyse 1 (reeks 12)</p></td></tr>");
    const std::size_t late = grid.find("<tr><th>99</th><td><p>LAT PEE B104 Laat</p></td></tr>");
    const std::size_t none = grid.find("<tr><th>zonder uur</th><td><p>MU STU PEE B104 Studie</p></td></tr>");
    EXPECT_LT(first, late) << grid;
    EXPECT_LT(late, none) << grid;
    EXPECT_NE(none, std::string::npos) << grid;
}

}  // namespace
}  // namespace orbelquint
