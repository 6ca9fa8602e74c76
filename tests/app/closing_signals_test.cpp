// The built program ended by the signals of a log-out, a closed terminal and Ctrl+C.
#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>
#include <chrono>
#include <csignal>

#include "support/test_files.h"

namespace orbelquint {
namespace {

using test_support::ReadFile;

// A portable copy of the program in a folder of its own, which started on the sample, with an
// older data file remembered.
class RunningProgram {
  public:
    RunningProgram() {
        for (const char* shipped : {"orbelquint", "def.dat", "main.html"}) {
            std::filesystem::copy_file(std::filesystem::path(ORBELQUINT_PROGRAM).parent_path() / shipped,
                                       folder_.Path() / shipped);
        }
        sample_ = folder_.Write("voorbeeld.htm", ReadFile(test_support::SampleDataFile()));
        folder_.Write("prev.ini", "ouder.htm\r\n2\r\n");
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QString::fromStdString((folder_.Path() / "orbelquint").string()),
                       {QString::fromStdString(sample_.string())});
    }

    // True once the program shows its week page; false after a time limit.
    bool ShowsItsPage() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!std::filesystem::exists(File("temp.htm"))) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            QThread::msleep(20);
        }
        return true;
    }

    QProcess& Process() { return process_; }
    std::filesystem::path File(const char* name) const { return folder_.Path() / name; }
    const std::filesystem::path& Sample() const { return sample_; }

  private:
    test_support::TempDir folder_;
    std::filesystem::path sample_;
    QProcess process_;
};

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

}  // namespace
}  // namespace orbelquint
