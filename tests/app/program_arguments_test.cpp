// The built orbelquint's command line: options, a file after "--", no display.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>

#include "support/running_program.h"
#include "support/test_files.h"

namespace orbelquint {
namespace {

struct Finished {
    int status = -1;
    QString errors;
};

// Runs the built program to its end in `environment`; standard error kept.
Finished RunProgram(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(ORBELQUINT_PROGRAM, arguments);
    if (!process.waitForFinished(20'000)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(ProgramArgumentsTest, WithoutADisplayOneLineSaysSoAndTheProgramEnds) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(variable);
    const Finished finished = RunProgram({}, environment);
    EXPECT_EQ(finished.status, 1);
    EXPECT_TRUE(finished.errors.startsWith("Geen beeldscherm gevonden")) << finished.errors.toStdString();
    EXPECT_EQ(finished.errors.count('\n'), 1);

    const Finished unknown = RunProgram({"--bogus"}, environment);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.errors,
              "Onbekende optie --bogus.\nProbeer 'orbelquint --help' voor meer informatie.\n");
    // A usage error also with a display: one data file at most.
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const Finished twoFiles = RunProgram({"a.htm", "b.htm"}, environment);
    EXPECT_EQ(twoFiles.status, 2);
    EXPECT_TRUE(twoFiles.errors.contains("hoogstens één gegevensbestand")) << twoFiles.errors.toStdString();
}

// The PDF mode needs no runtime folder of the session: without one it warns of nothing and leaves
// nothing behind.
TEST(ProgramArgumentsTest, ThePdfModeLeavesNoRuntimeFolderBehind) {
    const test_support::TempDir temporary;
    const test_support::TempDir out;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    environment.insert("TMPDIR", QString::fromStdString(temporary.Path().string()));
    const Finished finished =
        RunProgram({"--pdf", QString::fromStdString((out.Path() / "week.pdf").string()),
                    QString::fromStdString(test_support::SampleDataFile().string()), "50"},
                   environment);
    EXPECT_EQ(finished.status, 0);
    EXPECT_EQ(finished.errors, "");
    EXPECT_TRUE(std::filesystem::is_empty(temporary.Path()));
    EXPECT_TRUE(std::filesystem::exists(out.Path() / "week.pdf"));
}

// Help and version that cannot be written are a failure, as for every tool.
TEST(ProgramArgumentsTest, HelpAndVersionThatCannotBeWrittenFail) {
    for (const char* option : {"--help", "-h", "--version"}) {
        QProcess process;
        process.setStandardOutputFile("/dev/full");
        process.start(ORBELQUINT_PROGRAM, {option});
        ASSERT_TRUE(process.waitForFinished(20'000));
        EXPECT_EQ(process.exitCode(), 1) << option;
    }
}

TEST(ProgramArgumentsTest, AFileAfterTwoDashesIsOpened) {
    test_support::RunningProgram program({"--"});
    ASSERT_TRUE(program.ShowsItsPage());
    ASSERT_EQ(::kill(static_cast<pid_t>(program.Process().processId()), SIGTERM), 0);
    ASSERT_TRUE(program.Process().waitForFinished(20'000));
    EXPECT_EQ(test_support::ReadFile(program.File("prev.ini")), program.Sample().string() + "\r\n2\r\n");
}

}  // namespace
}  // namespace orbelquint
