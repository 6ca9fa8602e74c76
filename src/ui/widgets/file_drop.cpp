#include "ui/widgets/file_drop.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace orbelquint {
namespace {

// The one local file a drag carries; empty for anything else.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

FileDrop::FileDrop(QWidget& window, std::function<void(const QString&)> open)
    : QObject(&window), open_(std::move(open)) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QLineEdit* box : window.findChildren<QLineEdit*>())
        box->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove &&
        event->type() != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = DroppedFile(drop->mimeData());
    if (file.isEmpty()) return QObject::eventFilter(watched, event);
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop) open_(file);
    return true;
}

}  // namespace orbelquint
