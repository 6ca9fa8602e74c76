// Runs the built orbelquint-week as a script would: its exit statuses and standard output.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "core/reading/line_reader.h"
#include "support/test_files.h"

namespace orbelquint {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    bool operator==(const Outcome&) const = default;
};

// Runs a shell command line with a time limit and takes its standard output.
Outcome RunShell(const std::string& command) {
    FILE* pipe = popen(("timeout 20 sh -c '" + command + "'").c_str(), "r");
    Outcome outcome;
    char buffer[4096];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        outcome.out.append(buffer, count);
    }
    const int wait = pclose(pipe);
    outcome.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    return outcome;
}

// Runs the program with a command line of arguments; standard error is dropped.
Outcome RunProgram(const std::string& arguments) {
    return RunShell(std::string(ORBELQUINT_WEEK_TOOL) + " " + arguments + " 2>/dev/null");
}

TEST(WeekToolProgramTest, ExitsWithTheStatusOfWhatHappened) {
    const std::string sample = "\"" + test_support::SampleDataFile().string() + "\"";
    const Outcome page = RunProgram(sample + " 50");
    EXPECT_EQ(page.status, 0);
    EXPECT_NE(page.out.find("Herhaling wiskunde"), std::string::npos);

    const std::pair<std::string, int> failures[] = {{"", 2},
                                                    {sample + " 50 51", 2},
                                                    {sample + " week", 2},
                                                    {"--bestaat-niet " + sample + " 50", 2},
                                                    {"/bestaat/niet.htm 50", 1},
                                                    {"\"\" 50", 1},
                                                    {"/tmp 50", 1},
                                                    {"--week-of 1-1-2003", 2}};
    for (const auto& [arguments, status] : failures) {
        const Outcome outcome = RunProgram(arguments);
        EXPECT_EQ(outcome.status, status) << arguments;
        EXPECT_EQ(outcome.out, "") << arguments;
    }
}

TEST(WeekToolProgramTest, PipesWorkAndEndlessInputsEndSoonWithBoundedMemory) {
    const std::string sample = test_support::SampleDataFile().string();
    const test_support::TempDir folder;
    const std::string fifo = (folder.Path() / "fifo").string();
    EXPECT_EQ(RunProgram("/dev/stdin 50 < " + sample).status, 0);
    // The GNU forms: "-" for standard input, a value after "=", -h for help.
    EXPECT_EQ(RunProgram("--series=2 - 50 < " + sample).out, RunProgram("--series 2 " + sample + " 50").out);
    EXPECT_EQ(RunProgram("-h").out, RunProgram("--help").out);
    // A calendar reads its data file once, so a pipe serves every week; the bell times may come
    // through standard input too.
    const std::string calendar = "--ics --from 07-12-2026 --to 20-12-2026 ";
    const std::string tool = std::string("SOURCE_DATE_EPOCH=0 ") + ORBELQUINT_WEEK_TOOL + " " + calendar;
    const Outcome fromFile = RunShell(tool + sample + " 2>/dev/null");
    ASSERT_EQ(fromFile.status, 0);
    EXPECT_EQ(RunShell("cat " + sample + " | " + tool + "- 2>/dev/null"), fromFile);
    EXPECT_EQ(RunShell(tool + "/dev/stdin < " + sample + " 2>/dev/null"), fromFile);
    const Outcome bells =
        RunShell("printf \"1 07:00-07:50\\n\" | " + tool + "--bell-times - " + sample + " 2>/dev/null");
    EXPECT_EQ(bells.status, 0);
    EXPECT_NE(bells.out.find("DTSTART;TZID=Europe/Brussels:20261207T070000"), std::string::npos);
    const Outcome standardTemplate =
        RunShell("printf \"KOP\\r\\nVOET\\r\\n\" | " + std::string(ORBELQUINT_WEEK_TOOL) + " --template - " +
                 sample + " 50");
    EXPECT_EQ(standardTemplate.status, 0);
    EXPECT_NE(standardTemplate.out.find("</title>\r\nKOP\r\n"), std::string::npos);
    EXPECT_EQ(RunShell("mkfifo " + fifo + "; cat " + sample + " > " + fifo + " & " + ORBELQUINT_WEEK_TOOL +
                       " " + fifo + " 50 2>/dev/null")
                  .status,
              0);
    // The standard streams and inherited descriptors by name are written into like any pipe.
    const std::string week = sample + " 50";
    for (const std::string& arguments :
         {"--output /dev/stdout " + week, "--output /dev/fd/3 " + week + " 3>&1 >/dev/null"}) {
        const Outcome outcome = RunProgram(arguments);
        EXPECT_EQ(outcome.status, 0) << arguments;
        EXPECT_NE(outcome.out.find("Herhaling wiskunde"), std::string::npos) << arguments;
    }
    for (const std::string& arguments :
         {std::string("/dev/zero 50"), "--template /dev/zero " + sample + " 50"}) {
        const Outcome outcome = RunProgram(arguments);
        EXPECT_EQ(outcome.status, 1) << arguments;
        EXPECT_EQ(outcome.out, "") << arguments;
    }
    // A grid holds its page in memory: a page without end stops at the limit.
    const Outcome endless = RunShell(
        "(printf \"<h1>x</h1>\\r\\n<pre>\\r\\n<h3>Ma</h3><pre>\\r\\n\"; yes \"1  WIS  PEE 01-52 B104  x\") "
        "| " +
        std::string(ORBELQUINT_WEEK_TOOL) + " --grid - 5 2>/dev/null");
    EXPECT_EQ(endless, (Outcome{1, ""}));
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    EXPECT_LT(usage.ru_maxrss, 200 * 1024) << "peak resident memory in KiB";
}

// A grid takes little more memory than its page, whatever its lessons hold; a week of more lessons
// than a grid holds is refused, saying so.
TEST(WeekToolProgramTest, AGridStaysNearItsPageInMemory) {
    const std::string head = "printf \"<h1>x</h1>\\r\\n<pre>\\r\\n<h3>Ma</h3><pre>\\r\\n\"";
    const std::string tool = std::string(ORBELQUINT_WEEK_TOOL) + " --grid - 5";
    // About 50 MB of one lesson's continuation lines; the peak in KiB is the last line. (A sanitized
    // build measures without the quarantine that keeps all it frees.)
    const Outcome continued =
        RunShell("(" + head +
                 "; echo \"1  WIS  PEE 01-52 B104  x\"; yes \"               x\" | head -n 3000000) | "
                 "ASAN_OPTIONS=\"$ASAN_OPTIONS:quarantine_size_mb=0\" /usr/bin/time -f %M " +
                 tool + " 2>&1 >/dev/null | tail -n 1");
    EXPECT_EQ(continued.status, 0);
    EXPECT_LT(std::stol(continued.out), 100 * 1024) << "peak resident memory in KiB";
    const Outcome lessons = RunShell("(" + head + "; yes \"1  WIS  PEE 01-52 B104  x\" | head -n 100001) | " +
                                     tool + " 2>&1 >/dev/null");
    EXPECT_EQ(lessons.status, 1);
    EXPECT_NE(lessons.out.find("100000 lessen"), std::string::npos) << lessons.out;
}

// A name of a file the program holds open for writing, whatever path leads there, is written
// through that descriptor, as the shell opened it: a log opened for appending keeps what it held and
// what is written to it after the output. Pages, grids and calendars alike.
TEST(WeekToolProgramTest, OutputIntoAnOpenFileIsAppendedAsTheShellOpenedIt) {
    const std::string sample = test_support::SampleDataFile().string();
    const test_support::TempDir folder;
    const std::string log = (folder.Path() / "log").string();
    std::filesystem::create_symlink("/dev/stdout", folder.Path() / "uit");
    const std::string link = (folder.Path() / "uit").string();
    const std::pair<std::string, std::string> outputs[] = {{"/dev/stdout", " >>"},
                                                           {"/proc/self/fd/1", " >>"},
                                                           {"/proc/thread-self/fd/1", " >>"},
                                                           {link, " >>"},
                                                           {log, " >>"},
                                                           {"-", " >>"},
                                                           {"/dev/fd/3", " 3>>"},
                                                           {"/dev/stderr", " 2>>"}};
    for (const std::string& mode :
         {sample + " 50", "--grid " + sample + " 50", "--ics --from 07-12-2026 --to 11-12-2026 " + sample}) {
        const std::string expected =
            RunShell("SOURCE_DATE_EPOCH=0 " + std::string(ORBELQUINT_WEEK_TOOL) + " " + mode + " 2>/dev/null")
                .out;
        ASSERT_FALSE(expected.empty());
        for (const auto& [output, redirection] : outputs) {
            SCOPED_TRACE(mode);
            SCOPED_TRACE(output);
            std::string command = "echo ERVOOR >" + log;
            command += "; ( SOURCE_DATE_EPOCH=0 ";
            command += ORBELQUINT_WEEK_TOOL;
            command += " --output " + output;
            command += " " + mode;
            command += redirection + log;
            command += "; echo ERNA ) >>" + log;
            ASSERT_EQ(RunShell(command).status, 0);
            // Into standard error the report follows the output.
            const std::string written = test_support::ReadFile(log);
            EXPECT_TRUE(written.starts_with("ERVOOR\n" + expected)) << written.substr(0, 200);
            EXPECT_TRUE(written.ends_with("ERNA\n"));
        }
    }
    EXPECT_FALSE(std::filesystem::exists("-"));
}

TEST(WeekToolProgramTest, ACommentOfAnyLengthInTheHeadLeavesThePageAsItIs) {
    const std::string sample = test_support::SampleDataFile().string();
    const std::string expected = RunProgram("\"" + sample + "\" 50").out;
    const std::string timetable = test_support::ReadFile(sample);
    const std::size_t afterHead = timetable.find("<head>\r\n") + 8;
    const test_support::TempDir folder;
    // The CR LF that ends a comment line falls before, across and after the end of the first
    // 64 KiB read; the next read is full and ends inside a comment line.
    constexpr std::size_t kRead = LineReader::kBufferSize;
    for (const std::size_t carriageReturnAt : {kRead - 2, kRead - 1, kRead}) {
        std::string data = timetable.substr(0, afterHead) + "<!--\r\n";
        data += std::string(carriageReturnAt - data.size(), 'c') + "\r\n";
        for (int line = 0; line < 2000; ++line)
            data += "een regel commentaar van het rooster\r\n";
        data += "-->\r\n" + timetable.substr(afterHead);
        const std::string file = folder.Write("rooster.htm", data).string();
        EXPECT_EQ(RunProgram(file + " 50"), (Outcome{0, expected})) << carriageReturnAt;
        EXPECT_EQ(RunProgram("/dev/stdin 50 < " + file), (Outcome{0, expected})) << carriageReturnAt;
        std::erase(data, '\r');
        EXPECT_EQ(RunProgram(folder.Write("rooster.htm", data).string() + " 50"), (Outcome{0, expected}))
            << carriageReturnAt;
    }
}

}  // namespace
}  // namespace orbelquint
