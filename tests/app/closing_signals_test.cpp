// The built program ended by the signals of a log-out, a closed terminal and Ctrl+C.
#include <gtest/gtest.h>

#include <csignal>

#include "support/running_program.h"
#include "support/test_files.h"

namespace orbelquint {
namespace {

using test_support::ReadFile;
using test_support::RunningProgram;

TEST(ClosingSignalsTest, EachSignalToEndClosesAsTheCloseBoxDoes) {
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        RunningProgram program;
        ASSERT_TRUE(program.ShowsItsPage()) << signal;
        ASSERT_EQ(::kill(static_cast<pid_t>(program.Process().processId()), signal), 0);
        ASSERT_TRUE(program.Process().waitForFinished(20'000)) << signal;
        EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(program.Process().exitCode(), 0) << signal;
        EXPECT_EQ(ReadFile(program.File("prev.ini")), program.Sample().string() + "\r\n2\r\n") << signal;
        EXPECT_FALSE(std::filesystem::exists(program.File("temp.htm"))) << signal;
        EXPECT_FALSE(std::filesystem::exists(program.File(".temp.htm.lock"))) << signal;
    }
}

// The close runs once: signals that follow it while the program cleans up and ends change nothing.
TEST(ClosingSignalsTest, SignalsDuringTheCloseLeaveItsStatus) {
    RunningProgram program;
    ASSERT_TRUE(program.ShowsItsPage());
    const auto process = static_cast<pid_t>(program.Process().processId());
    do {
        ASSERT_EQ(::kill(process, SIGTERM), 0);
    } while (!program.Process().waitForFinished(1));
    EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.Process().exitCode(), 0);
    EXPECT_EQ(ReadFile(program.File("prev.ini")), program.Sample().string() + "\r\n2\r\n");
}

// On a first start the agreement waits for its OK; a signal closes the program there too, leaving
// the settings file empty, since the agreement was not given.
TEST(ClosingSignalsTest, ASignalWhileTheAgreementWaitsClosesTheProgram) {
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        RunningProgram program({}, "");
        ASSERT_TRUE(program.Made(".temp.htm.lock")) << signal;
        ASSERT_EQ(::kill(static_cast<pid_t>(program.Process().processId()), signal), 0);
        ASSERT_TRUE(program.Process().waitForFinished(20'000)) << signal;
        EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(program.Process().exitCode(), 0) << signal;
        EXPECT_EQ(ReadFile(program.File("prev.ini")), "") << signal;
        EXPECT_FALSE(std::filesystem::exists(program.File("temp.htm"))) << signal;
        EXPECT_FALSE(std::filesystem::exists(program.File(".temp.htm.lock"))) << signal;
    }
}

}  // namespace
}  // namespace orbelquint
