#include "ui/printing/print_progress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <thread>

namespace orbelquint {

Printed PaintWithProgress(QWidget* owner, const QString& what, const std::function<bool()>& goOn,
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
    dialog.setMinimumDuration(400);  // a week's page is done before it shows
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

    std::thread worker([&] {
        printed = paint([&](int sheet, int count) {
            drawn = sheet;
            sheets = count;
            return !stop;
        });
        done = true;
    });
    loop.exec();
    // The loop also ends when the program is told to quit; the drawing then stops at its next sheet.
    stop = true;
    worker.join();
    return printed;
}

}  // namespace orbelquint
