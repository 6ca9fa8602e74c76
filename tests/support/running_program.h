#pragma once

#include <QProcess>
#include <QStringList>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <string_view>

#include "support/test_files.h"

namespace orbelquint::test_support {

// A portable copy of the built program in a folder of its own, with the sample beside it and
// `settings` in its settings file (by default an older data file remembered, empty for a first
// start), started with `arguments` and the sample's name after them.
class RunningProgram {
  public:
    explicit RunningProgram(const QStringList& arguments = {},
                            std::string_view settings = "ouder.htm\r\n2\r\n") {
        for (const char* shipped : {"orbelquint", "def.dat", "main.html"}) {
            std::filesystem::copy_file(std::filesystem::path(ORBELQUINT_PROGRAM).parent_path() / shipped,
                                       folder_.Path() / shipped);
        }
        sample_ = folder_.Write("voorbeeld.htm", ReadFile(SampleDataFile()));
        folder_.Write("prev.ini", settings);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QString::fromStdString((folder_.Path() / "orbelquint").string()),
                       arguments + QStringList{QString::fromStdString(sample_.string())});
    }

    // True once the program shows its week page; false after a time limit.
    bool ShowsItsPage() const { return Made("temp.htm"); }

    // True once the program has made its file `name`; false after a time limit.
    bool Made(const char* name) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!std::filesystem::exists(File(name))) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            QThread::msleep(20);
        }
        return true;
    }

    QProcess& Process() { return process_; }
    std::filesystem::path File(const char* name) const { return folder_.Path() / name; }
    const std::filesystem::path& Sample() const { return sample_; }

  private:
    TempDir folder_;
    std::filesystem::path sample_;
    QProcess process_;
};

}  // namespace orbelquint::test_support
