#include "ui/page_view.h"

#include <QFile>
#include <QLocale>
#include <QTextDocument>
#include <system_error>

#include "core/file_handle.h"
#include "ui/page_decoding.h"

namespace orbelquint {
namespace {

QString FileNameText(const std::filesystem::path& file) {
    return QFile::decodeName(QByteArray::fromStdString(file.string())).toHtmlEscaped();
}

QString Megabytes(std::uintmax_t bytes) {
    return QLocale().toString(static_cast<double>(bytes) / (1024 * 1024), 'f', 1) + " MB";
}

}  // namespace

PageView::PageView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
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
    QString page = WithoutLineBreakAfterPre(DecodePage(QByteArray::fromStdString(start->bytes)));
    if (!start->Whole()) {
        page += tr("<hr><p><b>Het bestand %1 is te groot om helemaal te tonen: de eerste %2 van %3 staan "
                   "hierboven.</b></p>")
                    .arg(FileNameText(file), Megabytes(start->bytes.size()), Megabytes(start->size));
    }
    setHtml(page);
}

void PageView::ShowPage(const QByteArray& bytes) {
    setHtml(WithoutLineBreakAfterPre(DecodePage(bytes)));
}

std::filesystem::path PageView::LocalFile(const QUrl& name) const {
    if (name.isLocalFile()) return QFile::encodeName(name.toLocalFile()).toStdString();
    if (!name.isRelative() || name.path().isEmpty()) return {};
    return folder_ / QFile::encodeName(name.path()).toStdString();
}

// Pictures and style sheets: only what a regular local file of a sensible size holds.
QVariant PageView::loadResource(int type, const QUrl& name) {
    const std::filesystem::path file = LocalFile(name);
    if (file.empty()) return {};
    const auto start = ReadFileStart(file, kResourceBytes);
    if (!start || !start->Whole()) return {};
    const QByteArray bytes = QByteArray::fromStdString(start->bytes);
    if (type == QTextDocument::StyleSheetResource || type == QTextDocument::HtmlResource)
        return DecodePage(bytes);
    return bytes;
}

// Links within the page and to other local pages open here; links to the web are not followed.
void PageView::FollowLink(const QUrl& link) {
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment())
        return scrollToAnchor(link.fragment());
    const std::filesystem::path file = LocalFile(link);
    if (!file.empty()) Navigate(file);
}

}  // namespace orbelquint
