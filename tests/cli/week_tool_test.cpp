#include "cli/week_tool.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/weeks/bell_times.h"
#include "support/read_calendar.h"
#include "support/test_files.h"
#include "version.h"

namespace orbelquint {
namespace {

using test_support::ReadFile;

constexpr char kTimetable[] =
    "<h1> 4\xE9 Latijn </h1>\r\n<pre>\r\n"
    "<h3>Maandag</h3><pre>1  WIS      03-09 B104  2\r\n"
    "1  NED      03-09 B104  3\r\n"
    "</pre>\r\n<h3>Verklaring</h3>\r\n";

class WeekToolTest : public ::testing::Test {
  protected:
    int Run(std::vector<std::string> arguments) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunWeekTool(arguments, folder_.Path() / "def.dat", out, err);
        out_ = out.str();
        err_ = err.str();
        return status;
    }

    test_support::TempDir folder_;
    std::string dataFile_ = folder_.Write("rooster.htm", kTimetable).string();
    std::string out_;
    std::string err_;
};

TEST_F(WeekToolTest, WritesThePageAndReportsInUtf8) {
    folder_.Write("def.dat", "HEAD\r\nFOOT\r\n");
    ASSERT_EQ(Run({"--series", "2", dataFile_, "5"}), kExitSuccess);
    EXPECT_EQ(out_,
              "<html><head><title>Orbelquint week 5</title>\r\nHEAD\r\n<h1>Orbelquint week 5</h1>\r\n"
              "<h2>4\xE9 Latijn</h2><hr>\r\n<h3>Maandag</h3><pre>\r\n1  WIS      03-09 B104  2\r\n</pre>\r\n"
              "\r\nFOOT\r\n</body></html>\r\n");
    EXPECT_EQ(err_,
              "heading: 4\xC3\xA9 Latijn\n"
              "info: Dit gegevens bestand gaat van week 3 tot week 9\n"
              "first-change: De eerste verandering in dit orbelquint is voor week 10\n"
              "save-name: 4\xC3\xA9 Latijn - week5.html\n");
}

TEST_F(WeekToolTest, WritesTheGridWithTheSameReportAndStatuses) {
    folder_.Write("def.dat", "HEAD\r\nFOOT\r\n");
    ASSERT_EQ(Run({dataFile_, "5", "--grid"}), kExitSuccess);
    EXPECT_EQ(out_,
              "<html><head><title>Orbelquint week 5</title>\r\nHEAD\r\n<h1>Orbelquint week 5</h1>\r\n"
              "<h2>4\xE9 Latijn</h2><hr>\r\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" "
              "width=\"100%\">\r\n"
              "<thead><tr><th>Uur</th><th>Maandag</th></tr></thead>\r\n"
              "<tr><th>1</th><td><p>WIS B104 (reeks 2)</p><p>NED B104 (reeks 3)</p></td></tr>\r\n"
              "</table>\r\n\r\nFOOT\r\n</body></html>\r\n");
    const std::string report = err_;
    ASSERT_EQ(Run({dataFile_, "5"}), kExitSuccess);
    EXPECT_EQ(err_, report);

    const std::string output = (folder_.Path() / "raster.htm").string();
    ASSERT_EQ(Run({"--grid", "--output", output, "--series=3", dataFile_, "5"}), kExitSuccess);
    EXPECT_NE(ReadFile(output).find("<td><p>NED B104 (reeks 3)</p></td>"), std::string::npos);
    EXPECT_EQ(Run({"--grid", folder_.Write("geen.htm", "geen rooster").string(), "5"}), kExitFailure);
    EXPECT_EQ(out_, "");
    EXPECT_EQ(Run({"--grid", "--change-weeks", dataFile_}), kExitUsage);
}

TEST_F(WeekToolTest, ReportsAnEmptyFirstChangeWithItsBlank) {
    ASSERT_EQ(Run({dataFile_, "20"}), kExitSuccess);
    EXPECT_NE(err_.find("\nfirst-change: \nsave-name: 4\xC3\xA9 Latijn - week20.html\n"), std::string::npos);
}

TEST_F(WeekToolTest, WritesTheOutputFileOnlyForACompletePage) {
    const std::string output = (folder_.Path() / "week.htm").string();
    ASSERT_EQ(Run({"--output", output, dataFile_, "08-12-2026"}), kExitSuccess);
    EXPECT_EQ(out_, "");
    EXPECT_NE(ReadFile(output).find("<title>Orbelquint week 50</title>"), std::string::npos);

    const std::string missingOutput = (folder_.Path() / "nieuw.htm").string();
    EXPECT_EQ(Run({"--output", missingOutput, (folder_.Path() / "weg.htm").string(), "5"}), kExitFailure);
    EXPECT_FALSE(std::filesystem::exists(missingOutput));
    EXPECT_EQ(Run({"--output", missingOutput, dataFile_, "week"}), kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(missingOutput));
}

TEST_F(WeekToolTest, FailuresWriteNothingToStandardOutput) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
    };
    const Case cases[] = {
        {{"", "5"}, kExitFailure},
        {{folder_.Path().string(), "5"}, kExitFailure},
        {{folder_.Write("geen.htm", "geen rooster").string(), "5"}, kExitFailure},
        {{dataFile_, "99999"}, kExitUsage},
        {{"--week-of", "01-01-2003", "1-1-2003"}, kExitUsage},
    };
    for (const auto& [arguments, status] : cases) {
        EXPECT_EQ(Run(arguments), status) << ::testing::PrintToString(arguments);
        EXPECT_EQ(out_, "");
        EXPECT_FALSE(err_.empty());
    }
}

TEST_F(WeekToolTest, NeverWritesTheOutputOverAnInput) {
    const std::string templateFile = folder_.Write("sjabloon.dat", "HEAD\r\nFOOT\r\n").string();
    std::filesystem::create_hard_link(dataFile_, folder_.Path() / "hard.htm");
    std::filesystem::create_symlink(templateFile, folder_.Path() / "zacht.dat");
    const std::vector<std::string> outputs = {dataFile_, (folder_.Path() / "hard.htm").string(),
                                              (folder_.Path() / "zacht.dat").string()};
    for (const std::string& output : outputs) {
        EXPECT_EQ(Run({"--template", templateFile, "--output", output, dataFile_, "5"}), kExitFailure)
            << output;
        EXPECT_NE(err_.find("hetzelfde bestand"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(dataFile_), kTimetable);
    EXPECT_EQ(ReadFile(templateFile), "HEAD\r\nFOOT\r\n");
    // The default template beside the program is an input too.
    const std::string shippedTemplate = folder_.Write("def.dat", "H\r\nF\r\n").string();
    EXPECT_EQ(Run({"--output", shippedTemplate, dataFile_, "5"}), kExitFailure);
    EXPECT_EQ(ReadFile(shippedTemplate), "H\r\nF\r\n");
}

// The default template may be missing; a template the user named is read, or the run fails naming
// it, also for the grid and with an output file, which then stays as it was.
TEST_F(WeekToolTest, ANamedTemplateThatCannotBeReadIsAnError) {
    ASSERT_EQ(Run({dataFile_, "5"}), kExitSuccess);  // no def.dat beside the program
    const std::string output = folder_.Write("uit.htm", "oud").string();
    for (const std::string& named : {(folder_.Path() / "geen.dat").string(), folder_.Path().string()}) {
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{"--template", named, dataFile_, "5"},
              {"--grid", "--template=" + named, dataFile_, "5"},
              {"--template", named, "--output", output, dataFile_, "5"}}) {
            EXPECT_EQ(Run(arguments), kExitFailure) << ::testing::PrintToString(arguments);
            EXPECT_EQ(out_, "");
            EXPECT_NE(err_.find("\"" + named + "\""), std::string::npos) << err_;
        }
    }
    EXPECT_EQ(ReadFile(output), "oud");
    EXPECT_EQ(Run({"--template", "-", "-", "5"}), kExitUsage);
}

// The lessons of a school year as a calendar: refused where the command line is wrong, the same
// lesson under the same UID whatever the range, and read back by an independent reader with each
// date's lessons at their local times, none on a free day, across both changes of summer time.
TEST_F(WeekToolTest, WritesTheSchoolYearAsACalendar) {
    const std::string sample = test_support::SampleDataFile().string();
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--ics", "--from", "01-09-2026", sample},
          {"--ics", "--from", "02-09-2026", "--to", "01-09-2026", sample},
          {"--ics", "--from", "01-09-2026", "--to", "02-09-2027", sample},
          {"--ics", "--skip", "31-02-2026", sample},
          {"--ics", "--time-zone", "Europe/London", sample},
          {"--ics", "--grid", sample},
          {"--from", "01-09-2026", sample, "50"}}) {
        EXPECT_EQ(Run(wrong), kExitUsage) << ::testing::PrintToString(wrong);
    }
    const std::string bells = folder_.Write("bel.txt", "# bel\n1 08:00-08:50\n1 09:00-09:50\n").string();
    EXPECT_EQ(Run({"--ics", "--bell-times", bells, sample}), kExitFailure);
    EXPECT_NE(err_.find("regel 3"), std::string::npos) << err_;

    // Free days from the bell-time file and from --skip alike.
    using namespace std::chrono;
    const std::string school =
        folder_.Write("school.txt", BellTimesText({DefaultBellTimes(), {{2026y / 11 / 2, 2026y / 11 / 4}}}))
            .string();
    const std::string year = (folder_.Path() / "jaar.ics").string();
    ASSERT_EQ(Run({"--ics", "--from=01-09-2026", "--to=30-06-2027", "--skip", "05-11-2026..06-11-2026",
                   "--bell-times", school, "--output", year, sample}),
              kExitSuccess);
    EXPECT_NE(err_.find("events: 39\n"), std::string::npos) << err_;
    const std::string ics = ReadFile(year);
    EXPECT_EQ(ics.find("\r\n\r\n"), std::string::npos);
    ASSERT_EQ(Run({"--ics", "--from=07-12-2026", "--to=13-12-2026", sample}), kExitSuccess);
    const std::size_t uid = out_.find("UID:");
    ASSERT_NE(uid, std::string::npos);
    EXPECT_NE(ics.find(out_.substr(uid, out_.find("\r\n", uid) - uid)), std::string::npos);

    const std::optional<std::string> calendar = test_support::ReadCalendar(year, "2026-09-01", "2027-06-30");
    if (!calendar) GTEST_SKIP() << "python3-icalendar is missing";
    const std::string& read = *calendar;
    EXPECT_NE(read.find("2026-09-01 08:25 2:00:00 ENG WIL A204 Engels\n"), std::string::npos)
        << read.substr(0, 300);
    EXPECT_NE(read.find("2026-11-09 08:25 1:00:00 "), std::string::npos);  // after summer time
    EXPECT_EQ(read.find("2026-11-03 "), std::string::npos);                // free days
    EXPECT_EQ(read.find("2026-11-05 "), std::string::npos);
    EXPECT_NE(read.find("2026-12-07 10:20 1:00:00 HER PEE B104 Herhaling wiskunde\n"), std::string::npos);
}

// Every option of a calendar does what it says: each --skip counts, the zone and the stamp are
// written, an option of another mode or a stamp no file can hold is a usage error, the bell-time
// file is never written over and a failed write fails.
TEST_F(WeekToolTest, EachCalendarOptionTakesEffectOrIsRefused) {
    const std::string sample = test_support::SampleDataFile().string();
    const std::vector<std::string> week = {"--ics", "--from", "07-12-2026", "--to", "11-12-2026"};
    const auto run = [&](std::vector<std::string> more) {
        std::vector<std::string> arguments = week;
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Run(arguments);
    };
    ASSERT_EQ(run({sample}), kExitSuccess);
    EXPECT_NE(err_.find("events: 31\n"), std::string::npos) << err_;
    ASSERT_EQ(run({"--skip", "07-12-2026", "--skip", "09-12-2026..10-12-2026", sample}), kExitSuccess);
    EXPECT_EQ(out_.find("DTSTART;TZID=Europe/Brussels:20261207"), std::string::npos);
    EXPECT_EQ(out_.find("DTSTART;TZID=Europe/Brussels:20261209"), std::string::npos);
    EXPECT_EQ(out_.find("DTSTART;TZID=Europe/Brussels:20261210"), std::string::npos);
    EXPECT_NE(out_.find("DTSTART;TZID=Europe/Brussels:20261211"), std::string::npos);
    ASSERT_EQ(run({"--time-zone", "Europe/Amsterdam", sample}), kExitSuccess);
    EXPECT_NE(out_.find("TZID:Europe/Amsterdam\r\n"), std::string::npos);
    EXPECT_EQ(out_.find("Brussels"), std::string::npos);

    const std::pair<const char*, const char*> stamps[] = {{"0", "DTSTAMP:19700101T000000Z"},
                                                          {"253402300799", "DTSTAMP:99991231T235959Z"},
                                                          {"-1", nullptr},
                                                          {"253402300800", nullptr},
                                                          {"99999999999999", nullptr},
                                                          {"1.5", nullptr},
                                                          {"x", nullptr}};
    for (const auto& [epoch, written] : stamps) {
        ::setenv("SOURCE_DATE_EPOCH", epoch, 1);
        const int status = run({sample});
        ::unsetenv("SOURCE_DATE_EPOCH");
        if (written == nullptr) {
            EXPECT_EQ(status, kExitUsage) << epoch;
            EXPECT_NE(err_.find("SOURCE_DATE_EPOCH"), std::string::npos) << epoch;
            EXPECT_EQ(out_, "") << epoch;
        } else {
            EXPECT_EQ(status, kExitSuccess) << epoch;
            EXPECT_NE(out_.find(std::string(written) + "\r\n"), std::string::npos) << epoch;
        }
    }

    const std::string bells = folder_.Write("bel.txt", "1 08:00-08:50\n").string();
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--template", bells, sample},
                                                  {"--skip", "07-12-2026", sample, "50"},
                                                  {"--from", "31-12-1969", "--to", "01-01-1970", sample},
                                                  {"--bell-times", "-", "-"}}) {
        std::vector<std::string> arguments = wrong;
        if (wrong[0] != "--skip") arguments.insert(arguments.begin(), "--ics");
        EXPECT_EQ(Run(arguments), kExitUsage) << ::testing::PrintToString(arguments);
    }
    EXPECT_EQ(run({"--bell-times", bells, "--output", bells, sample}), kExitFailure);
    EXPECT_EQ(ReadFile(bells), "1 08:00-08:50\n");
    EXPECT_EQ(run({"--output", "/dev/full", sample}), kExitFailure);
    EXPECT_NE(err_.find("/dev/full"), std::string::npos) << err_;
}

TEST_F(WeekToolTest, ControlCharactersOfTheHeadingReachTheTerminalEscaped) {
    const std::string data = folder_
                                 .Write("escape.htm",
                                        "<h1>\x1b]0;titel\x07"
                                        "4A\x1b[2J</h1>\r\n")
                                 .string();
    ASSERT_EQ(Run({data, "5"}), kExitSuccess);
    EXPECT_EQ(err_.find('\x1b'), std::string::npos);
    EXPECT_NE(err_.find("heading: \\x1b]0;titel\\x074A\\x1b[2J\n"), std::string::npos);
    EXPECT_NE(err_.find("save-name: \\x1b]0;titel"), std::string::npos);
}

TEST_F(WeekToolTest, PrintsTheChangeWeeksOnePerLine) {
    ASSERT_EQ(Run({"--change-weeks", "--series", "2", dataFile_}), kExitSuccess);
    EXPECT_EQ(out_, "3\n10\n");
    EXPECT_EQ(Run({"--change-weeks", folder_.Write("geen.htm", "geen rooster").string()}), kExitFailure);
    EXPECT_EQ(out_, "");
    EXPECT_EQ(Run({"--change-weeks", dataFile_, "5"}), kExitUsage);
}

TEST_F(WeekToolTest, PrintsTheWeekOfEachDate) {
    ASSERT_EQ(Run({"--week-of", "01-01-2003", "29-12-2003", "5-01-2003"}), kExitSuccess);
    EXPECT_EQ(out_, "1\n53\n1\n");
}

TEST_F(WeekToolTest, AUsageErrorNamesTheProblemAndPointsToHelp) {
    ASSERT_EQ(Run({"--series=2", dataFile_}), kExitUsage);
    EXPECT_EQ(err_,
              "Geef een gegevensbestand en een week.\n"
              "Probeer 'orbelquint-week --help' voor meer informatie.\n");
}

TEST_F(WeekToolTest, HelpAndVersionGoToStandardOutput) {
    ASSERT_EQ(Run({"--help"}), kExitSuccess);
    EXPECT_TRUE(out_.starts_with("Gebruik: orbelquint-week"));
    EXPECT_EQ(err_, "");
    ASSERT_EQ(Run({"--version"}), kExitSuccess);
    EXPECT_EQ(out_, "orbelquint-week " ORBELQUINT_VERSION "\n");
}

}  // namespace
}  // namespace orbelquint
