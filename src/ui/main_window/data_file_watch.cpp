#include "ui/main_window/data_file_watch.h"

#include <sys/stat.h>

#include <system_error>

#include "ui/path_text.h"

namespace orbelquint {

DataFileWatch::DataFileWatch(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(250);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DataFileWatch::Notice);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DataFileWatch::Notice);
    connect(&settle_, &QTimer::timeout, this, &DataFileWatch::Settle);
}

void DataFileWatch::Watch(const std::filesystem::path& file) {
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    settle_.stop();
    std::error_code error;
    file_ = file.empty() ? std::filesystem::path() : std::filesystem::absolute(file, error);
    if (file_.empty()) return;
    watcher_.addPath(PathText(file_.parent_path()));
    stamp_ = StampNow();
    if (stamp_.exists) watcher_.addPath(PathText(file_));
}

DataFileWatch::Stamp DataFileWatch::StampNow() const {
    struct stat status {};
    if (::stat(file_.c_str(), &status) != 0) return {};
    return {true, status.st_dev, status.st_ino, static_cast<unsigned long long>(status.st_size),
            static_cast<long long>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

// The first signal of a burst starts the wait; the rest fall into it.
void DataFileWatch::Notice() {
    if (!settle_.isActive()) settle_.start();
}

void DataFileWatch::Settle() {
    const Stamp now = StampNow();
    if (now == stamp_) return;
    stamp_ = now;
    if (!now.exists) return emit Vanished();
    // A file replaced by a rename is another file: the watch is taken up again.
    if (!watcher_.files().contains(PathText(file_))) watcher_.addPath(PathText(file_));
    emit Changed();
}

}  // namespace orbelquint
