#include "ui/viewer/page_view.h"

#include <QImage>
#include <QLocale>
#include <QTextDocument>
#include <system_error>

#include "core/reading/file_handle.h"
#include "ui/page_decoding.h"
#include "ui/path_text.h"
#include "ui/viewer/lesson_marks.h"

namespace orbelquint {
namespace {

QString FileNameText(const std::filesystem::path& file) {
    return PathText(file).toHtmlEscaped();
}

QString Megabytes(std::uintmax_t bytes) {
    return QLocale().toString(static_cast<double>(bytes) / (1024 * 1024), 'f', 1) + " MB";
}

}  // namespace

PageView::PageView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    // Lines break between words only, as in a web browser: breaking a long word anywhere costs Qt
    // time that grows with the square of the word's length.
    setWordWrapMode(QTextOption::WordWrap);
    connect(this, &QTextBrowser::anchorClicked, this, &PageView::FollowLink);
}

void PageView::Navigate(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    folder_ = absolute.parent_path();
    const auto start = ReadFileStart(file, kShownBytes);
    if (!start) {
        return setHtml(tr("<p>Het bestand <b>%1</b> kan niet worden getoond.</p>").arg(FileNameText(file)));
    }
    QString note;
    if (!start->Whole()) {
        note = tr("<hr><p><b>Het bestand %1 is te groot om helemaal te tonen: de eerste %2 van %3 staan "
                  "hierboven.</b></p>")
                   .arg(FileNameText(file), Megabytes(start->bytes.size()), Megabytes(start->size));
    }
    Show(QByteArray::fromStdString(start->bytes), note);
}

void PageView::ShowPage(const QByteArray& bytes) {
    Show(bytes);
}

void PageView::Show(const QByteArray& bytes, const QString& after) {
    const QByteArray page =
        marksWeek_ ? WithLessonMarks(bytes, *marksWeek_, MarkColoursOf(palette())) : bytes;
    setHtml(WithoutLineBreakAfterPre(DecodePage(page)) + after);
}

std::filesystem::path PageView::LocalFile(const QUrl& name) const {
    if (name.isLocalFile()) return PathOf(name.toLocalFile());
    if (!name.isRelative() || name.path().isEmpty()) return {};
    return folder_ / PathOf(name.path());
}

// Pictures and style sheets: only what a regular local file of a sensible size holds. Anything
// refused is still answered: given no answer, or a picture it cannot use, the document would open
// the name itself.
QVariant PageView::loadResource(int type, const QUrl& name) {
    const std::filesystem::path file = LocalFile(name);
    const auto start = file.empty() ? std::nullopt : ReadFileStart(file, kResourceBytes);
    const QByteArray bytes = start && start->Whole() ? QByteArray::fromStdString(start->bytes) : QByteArray();
    if (type != QTextDocument::ImageResource) return DecodePage(bytes);
    const QImage image = QImage::fromData(bytes);
    return image.isNull() ? QImage(":/qt-project.org/styles/commonstyle/images/file-16.png") : image;
}

// Links within the page and to other local pages open here; links to the web are not followed.
void PageView::FollowLink(const QUrl& link) {
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment())
        return scrollToAnchor(link.fragment());
    const std::filesystem::path file = LocalFile(link);
    if (!file.empty()) Navigate(file);
}

}  // namespace orbelquint
