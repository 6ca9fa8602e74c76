#pragma once

#include <QTextBrowser>
#include <filesystem>
#include <optional>

namespace orbelquint {

// The viewer's browser: shows local HTML files in the code page they were written in, always as
// they are on disk now. Whatever a page names, it never waits or floods: it shows only regular
// files, the first kShownBytes of a large one, loads pictures and style sheets only from regular
// local files below kResourceBytes, never from the network, and never follows a link out of the
// program.
class PageView : public QTextBrowser {
    Q_OBJECT

  public:
    // A page larger than this shows its first part and a line telling how much is left out. Qt
    // lays out 512 KiB of timetable in about 50 ms, and of text without a single blank in about
    // 250 ms.
    static constexpr std::size_t kShownBytes = std::size_t{512} * 1024;
    static constexpr std::size_t kResourceBytes = std::size_t{8} * 1024 * 1024;

    explicit PageView(QWidget* parent);

    // Shows the local file (relative to the current folder when relative), reading it anew also
    // when it is the file already shown.
    void Navigate(const std::filesystem::path& file);

    // Shows a page given as its bytes, for when it could not be written to a file.
    void ShowPage(const QByteArray& bytes);

    // Week pages shown from now on get the changes of `week` marked (see WithLessonMarks);
    // nullopt shows pages as they are.
    void MarkLessonsOf(std::optional<int> week) { marksWeek_ = week; }

  protected:
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    void Show(const QByteArray& bytes, const QString& after = {});
    void FollowLink(const QUrl& link);
    std::filesystem::path LocalFile(const QUrl& name) const;

    // The folder of the page shown, against which the names in the page are taken.
    std::filesystem::path folder_;
    std::optional<int> marksWeek_;
};

}  // namespace orbelquint
