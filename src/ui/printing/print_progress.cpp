#include "ui/printing/print_progress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

namespace orbelquint {

Printed PaintWithProgress(QWidget* owner, const QString& what, std::chrono::milliseconds showAfter,
                          const std::function<bool()>& goOn,
                          const std::function<Printed(const SheetProgress&)>& paint) {
    std::atomic<int> drawn = 0;
    std::atomic<int> sheets = 0;  // 0 while the page is laid out
    std::atomic<bool> stop = false;
    std::atomic<bool> done = false;
    Printed printed = Printed::Failed;

    QProgressDialog dialog(what, "Annuleren", 0, 0, owner);
    dialog.setWindowTitle("OrbelQuint");
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumDuration(static_cast<int>(showAfter.count()));
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (dialog.wasCanceled() || !goOn()) stop = true;
        if (done) return loop.quit();
        const int count = sheets;
        dialog.setMaximum(count);
        if (count > 0) {
            dialog.setValue(drawn);
            dialog.setLabelText(QString("%1: blad %2 van %3").arg(what).arg(drawn + 1).arg(count));
        }
    });
    poll.start(30);

    // A thread of Qt's own: laying out a page starts timers, which need its event dispatcher.
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        printed = paint([&](int sheet, int count) {
            drawn = sheet;
            sheets = count;
            return !stop;
        });
        done = true;
    }));
    worker->start();
    loop.exec();
    // The loop also ends when the program is told to quit; the drawing then stops at its next sheet.
    stop = true;
    worker->wait();
    return printed;
}

}  // namespace orbelquint
