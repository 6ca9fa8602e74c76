#include "app/pdf_export.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>

#include "support/test_files.h"
#include "ui/page_decoding.h"
#include "ui/printing/page_printing.h"

namespace orbelquint {
namespace {

// What a command prints, read back with poppler's tools.
QString Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, count);
        pclose(pipe);
    }
    return QString::fromStdString(out);
}

// True when poppler's tools are there to read a PDF back.
bool PopplerIsThere() {
    return std::system("command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null") == 0;
}

// The width in points of the first `word` on the first page of a PDF.
double WidthOfTheFirstWord(const std::string& pdf, const QString& word) {
    const QRegularExpression box("xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"[^>]*>" + word + "<");
    const QRegularExpressionMatch found = box.match(Output("pdftotext -bbox -f 1 -l 1 '" + pdf + "' -"));
    return found.hasMatch() ? found.captured(2).toDouble() - found.captured(1).toDouble() : 0;
}

QString Simplified(QString text) {
    return text.replace(QRegularExpression("\\s+"), " ");
}

// Exports `data` for week 50 and checks that every lesson line of the page stands whole in the PDF.
void ExpectEveryLineWhole(const std::filesystem::path& data, int pages) {
    const test_support::TempDir folder;
    const std::filesystem::path pdf = folder.Path() / "week.pdf";
    ASSERT_EQ(ExportPdf({"--pdf", pdf.string(), data.string(), "50"}, test_support::ShippedTemplateFile()),
              0);
    if (!PopplerIsThere()) GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are missing";
    const QString info = Output("pdfinfo '" + pdf.string() + "'");
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+" + QString::number(pages) + "\\n")))
        << info.toStdString();
    EXPECT_TRUE(info.contains("595 x 842 pts (A4)"));
    for (int page = 1; page <= pages; ++page) {
        const QString footer = QString("pagina %1 van %2").arg(page).arg(pages);
        EXPECT_TRUE(Output("pdftotext -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" +
                           pdf.string() + "' -")
                        .contains(footer))
            << footer.toStdString();
    }
    const QString text = Simplified(Output("pdftotext -layout '" + pdf.string() + "' -"));
    for (const QString& line : DecodeDataText(test_support::ReadFile(data)).split("\r\n")) {
        if (line.contains(" 36-51 ") && !line.contains('<')) {
            EXPECT_TRUE(text.contains(Simplified(line).trimmed())) << line.toStdString();
        }
    }
}

TEST(PdfExportTest, TheSampleWeekFitsOneA4PageWithEveryLineWhole) {
    ExpectEveryLineWhole(test_support::SampleDataFile(), 1);
}

TEST(PdfExportTest, ALongWeekGoesOnSeveralPagesWithoutWrappingOrClipping) {
    const test_support::TempDir folder;
    std::string data = "<h1>4A</h1>\r\n<pre>\r\n<h3>Maandag</h3><pre>";
    for (int hour = 1; hour <= 300; ++hour) {
        data += std::to_string(hour % 10) + "  WIS  PEE 36-51 B104  Les " + std::to_string(hour) + " " +
                std::string(static_cast<std::size_t>(std::min(hour, 150)), 'x') + "  \r\n";
    }
    ExpectEveryLineWhole(folder.Write("lang.htm", data + "</pre>\r\n"), 3);
}

TEST(PdfExportTest, TheTitleAndTheFooterNameTheWeekTheClassAndTheSeries) {
    if (!PopplerIsThere()) GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are missing";
    const test_support::TempDir folder;
    const std::string pdf = (folder.Path() / "week.pdf").string();
    const std::string sample = test_support::SampleDataFile().string();
    for (const auto& [series, named] :
         {std::pair<const char*, const char*>{nullptr, ""}, {"2", " \u2013 reeks 2"}}) {
        std::vector<std::string> arguments = {"--pdf", pdf, sample, "50"};
        if (series != nullptr) arguments.insert(arguments.begin() + 2, {"--series", series});
        ASSERT_EQ(ExportPdf(arguments, test_support::ShippedTemplateFile()), 0);
        const QString title = QString("Week 50 \u2013 5 Wetenschappen-Wiskunde") + named;
        const QString info = Output("pdfinfo '" + pdf + "'");
        EXPECT_TRUE(
            info.contains(QRegularExpression("Title:\\s+" + QRegularExpression::escape(title) + "\n")))
            << info.toStdString();
        EXPECT_TRUE(info.contains(QRegularExpression("Creator:\\s+OrbelQuint\n"))) << info.toStdString();
        EXPECT_TRUE(Output("pdftotext '" + pdf + "' -").contains(title)) << title.toStdString();
    }
}

TEST(PdfExportTest, TheSampleGridFitsOneLandscapePageWithEveryLesson) {
    const test_support::TempDir folder;
    const std::string pdf = (folder.Path() / "raster.pdf").string();
    ASSERT_EQ(ExportPdf({"--pdf", pdf, "--grid", test_support::SampleDataFile().string(), "50"},
                        test_support::ShippedTemplateFile()),
              0);
    if (!PopplerIsThere()) GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are missing";
    const QString info = Output("pdfinfo '" + pdf + "'");
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("842 x 595 pts (A4)")) << info.toStdString();
    const QString text = Simplified(Output("pdftotext '" + pdf + "' -"));
    for (const char* lesson :
         {"Herhaling wiskunde", "Duits (reeks 1)", "Spaans (reeks 2)", "Klassenraad (reeks 3)",
          "(sportkledij meebrengen)", "Donderdag", "pagina 1 van 1"}) {
        EXPECT_TRUE(text.contains(lesson)) << lesson;
    }
}

// A grid wider and longer than a sheet goes on as many as it takes, a few days at a time and the
// lessons of a crowded hour over rows of their own: every day and lesson is on paper.
TEST(PdfExportTest, AGridLargerThanASheetKeepsEveryDayAndLesson) {
    const test_support::TempDir folder;
    std::string data = "<h1>4A</h1>\r\n<pre>\r\n";
    for (int day = 1; day <= 16; ++day) {
        data += "<h3>Dag" + std::to_string(day) + "</h3><pre>";
        const int lessons = day == 3 ? 120 : 2;
        for (int lesson = 1; lesson <= lessons; ++lesson) {
            data += "1  WIS  PEE 36-51 B104  Les" + std::to_string(day) + "x" + std::to_string(lesson) +
                    "    \r\n";
            if (day == 3) data += "               noot" + std::to_string(lesson) + "\r\n";
        }
        data += "</pre>\r\n";
    }
    const std::string pdf = (folder.Path() / "raster.pdf").string();
    ASSERT_EQ(ExportPdf({"--pdf", pdf, "--grid", folder.Write("breed.htm", data).string(), "50"},
                        test_support::ShippedTemplateFile()),
              0);
    if (!PopplerIsThere()) GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are missing";
    const QStringList words = Simplified(Output("pdftotext '" + pdf + "' -")).split(' ');
    for (int day = 1; day <= 16; ++day) {
        EXPECT_TRUE(words.contains(QString("Dag%1").arg(day))) << day;
        for (int lesson = 1; lesson <= (day == 3 ? 120 : 2); ++lesson)
            EXPECT_TRUE(words.contains(QString("Les%1x%2").arg(day).arg(lesson))) << day << " " << lesson;
    }
    for (int lesson = 1; lesson <= 120; ++lesson)
        EXPECT_TRUE(words.contains(QString("noot%1").arg(lesson))) << lesson;
    EXPECT_TRUE(words.contains("(vervolg)"));
    // Scaled down as far as it stays readable, to 60 % of the list's size, and no further.
    const std::string list = (folder.Path() / "lijst.pdf").string();
    ASSERT_EQ(ExportPdf({"--pdf", list, test_support::SampleDataFile().string(), "50"}, {}), 0);
    EXPECT_NEAR(WidthOfTheFirstWord(pdf, "Orbelquint") / WidthOfTheFirstWord(list, "Orbelquint"), 0.6, 0.02);
}

// What cannot be printed in bounded memory is refused, and no output is ever written over an
// input; an open descriptor is written into as it was opened.
TEST(PdfExportTest, RefusesWhatItMustNotWriteAndAppendsWhereItAppends) {
    const test_support::TempDir folder;
    const std::string sample =
        folder.Write("rooster.htm", test_support::ReadFile(test_support::SampleDataFile())).string();
    EXPECT_EQ(ExportPdf({"--pdf", sample, sample, "50"}, {}), 1);
    EXPECT_EQ(test_support::ReadFile(sample), test_support::ReadFile(test_support::SampleDataFile()));

    std::string data = "<h1>4A</h1>\r\n<pre>\r\n<h3>Maandag</h3><pre>1  WIS  PEE 36-51 B104  Les\r\n";
    for (int line = 0; line < kMaxPrintedRows; ++line)
        data += "               noot\r\n";
    const std::string large = folder.Write("groot.htm", data + "</pre>\r\n").string();
    const std::filesystem::path pdf = folder.Path() / "groot.pdf";
    for (const char* view : {"--grid", "--series=0"})
        EXPECT_EQ(ExportPdf({"--pdf", pdf.string(), view, large, "50"}, {}), 1) << view;
    EXPECT_FALSE(std::filesystem::exists(pdf));

    const std::filesystem::path log = folder.Write("log", "ervoor\n");
    const int open = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(open, 0);
    EXPECT_EQ(ExportPdf({"--pdf", "/dev/fd/" + std::to_string(open), sample, "50"}, {}), 0);
    ::close(open);
    const std::string written = test_support::ReadFile(log);
    EXPECT_TRUE(written.starts_with("ervoor\n%PDF-")) << written.substr(0, 20);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3);
}

// Exactly the most rows go on paper and one more does not; a long row counts as the rows its
// characters fill, so that one endless lesson line is refused at once.
TEST(PdfExportTest, TheRowLimitIsExactAndCountsLongRowsByTheirLength) {
    const std::string row = "1  WIS  PEE 36-51 B104  Les\r\n";
    std::string page;
    for (int line = 0; line < kMaxPrintedRows; ++line)
        page += row;
    EXPECT_TRUE(TooLargeToPrint(page).isEmpty());
    EXPECT_FALSE(TooLargeToPrint(page + row).isEmpty());
    const std::string longRow = std::string(kPrintedRowCharacters * 2 - 2, 'x') + "\r\n";  // two rows
    EXPECT_FALSE(TooLargeToPrint(page.substr(row.size()) + longRow).isEmpty());
    EXPECT_TRUE(TooLargeToPrint(page.substr(2 * row.size()) + longRow).isEmpty());
    EXPECT_FALSE(TooLargeToPrint(std::string(kPrintedRowCharacters * kMaxPrintedRows + 1, 'x')).isEmpty());
}

TEST(PdfExportTest, FollowsTheExitStatusesOfTheCommandLineTool) {
    const test_support::TempDir folder;
    const std::string pdf = (folder.Path() / "week.pdf").string();
    EXPECT_EQ(ExportPdf({"--pdf", pdf, "/bestaat/niet.htm", "50"}, {}), 1);
    EXPECT_EQ(ExportPdf({"--pdf", pdf, test_support::SampleDataFile().string(), "week"}, {}), 2);
    EXPECT_EQ(ExportPdf({"--pdf", pdf}, {}), 2);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

}  // namespace
}  // namespace orbelquint
