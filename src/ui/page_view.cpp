#include "ui/page_view.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include "ui/page_decoding.h"

namespace orbelquint {

PageView::PageView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &PageView::FollowLink);
}

void PageView::Navigate(const QString& path) {
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (source() == url) {
        reload();
    } else {
        setSource(url, QTextDocument::HtmlResource);
    }
}

void PageView::ShowPage(const QByteArray& bytes) {
    setHtml(WithoutLineBreakAfterPre(DecodePage(bytes)));
}

QVariant PageView::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::HtmlResource || !name.isLocalFile())
        return QTextBrowser::loadResource(type, name);
    QFile file(name.toLocalFile());
    if (!file.open(QIODevice::ReadOnly)) {
        return tr("<p>Het bestand <b>%1</b> kan niet worden getoond.</p>")
            .arg(name.toLocalFile().toHtmlEscaped());
    }
    return WithoutLineBreakAfterPre(DecodePage(file.readAll()));
}

// Links within the page and to other local pages open here; links to the web are not followed.
void PageView::FollowLink(const QUrl& link) {
    if (link.isLocalFile()) {
        Navigate(link.toLocalFile());
    } else if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        scrollToAnchor(link.fragment());
    }
}

}  // namespace orbelquint
