#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>

namespace orbelquint {

// Watches the data file and tells when it changed on disk, also after it was replaced by a rename
// (the folder is watched too, and the file taken up again). A burst of changes, or a file written
// slowly, gives at most one signal per quarter second.
class DataFileWatch : public QObject {
    Q_OBJECT

  public:
    explicit DataFileWatch(QObject* parent);

    // Watches `file` from now on, in place of the file watched before; the empty name watches none.
    void Watch(const std::filesystem::path& file);

  signals:
    // The file changed, was replaced or came back.
    void Changed();
    // The file is gone; Changed follows when it comes back.
    void Vanished();

  private:
    // What tells one state of the file from another: which file it is, its size and its time.
    struct Stamp {
        bool exists = false;
        unsigned long long device = 0, inode = 0, size = 0;
        long long modified = 0;  // nanoseconds
        bool operator==(const Stamp&) const = default;
    };
    Stamp StampNow() const;
    void Notice();
    void Settle();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    std::filesystem::path file_;  // as bytes, which need not be UTF-8
    // The folder changes with every file in it (the week page may be one): only a new stamp of
    // the data file counts.
    Stamp stamp_;
};

}  // namespace orbelquint
