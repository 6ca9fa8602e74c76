#include "ui/widgets/work_progress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

namespace orbelquint {

bool RunWithProgress(QWidget* owner, const QString& what, const QString& step,
                     std::chrono::milliseconds showAfter, const std::function<bool()>& goOn,
                     const std::function<void(const WorkProgress&)>& work) {
    std::atomic<int> done = 0;
    std::atomic<int> count = 0;  // 0 while the work cannot tell yet
    std::atomic<bool> stop = false;
    std::atomic<bool> finished = false;

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
        if (finished) return loop.quit();
        const int steps = count;
        dialog.setMaximum(steps);
        if (steps > 0) {
            dialog.setValue(done);
            dialog.setLabelText(QString("%1: %2 %3 van %4").arg(what, step).arg(done + 1).arg(steps));
        }
    });
    poll.start(30);

    // A thread of Qt's own: laying out a page starts timers, which need its event dispatcher.
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        work([&](int stepsDone, int steps) {
            done = stepsDone;
            count = steps;
            return !stop;
        });
        finished = true;
    }));
    worker->start();
    loop.exec();
    // The loop also ends when the program is told to quit; the work then stops at its next step.
    stop = true;
    worker->wait();
    return !dialog.wasCanceled() && goOn();
}

}  // namespace orbelquint
