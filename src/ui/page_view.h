#pragma once

#include <QTextBrowser>

namespace orbelquint {

// The viewer's browser: shows local HTML files in the code page they were written in, always as
// they are on disk now, and never follows a link out of the program.
class PageView : public QTextBrowser {
    Q_OBJECT

  public:
    explicit PageView(QWidget* parent);

    // Shows the local file at `path` (relative to the current folder when relative), reading it
    // anew also when it is the file already shown.
    void Navigate(const QString& path);

    // Shows a page given as its bytes, for when it could not be written to a file.
    void ShowPage(const QByteArray& bytes);

  protected:
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    void FollowLink(const QUrl& link);
};

}  // namespace orbelquint
