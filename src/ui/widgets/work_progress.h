#pragma once

#include <QString>
#include <chrono>
#include <functional>

class QWidget;

namespace orbelquint {

// Told before each step how many of how many steps are done (a count of 0 while it is not known
// yet); false asks the work to stop there.
using WorkProgress = std::function<bool(int done, int count)>;

// Runs `work` (which tells its progress) on a thread of its own while the window goes on
// answering: the progress is shown over `owner` once it takes longer than `showAfter`, as "`what`:
// `step` N van M", with a button to cancel. The work is asked to stop when the user cancels or
// when `goOn` says the window is ending. `work` must use nothing of the windows. False when the
// work was asked to stop.
bool RunWithProgress(QWidget* owner, const QString& what, const QString& step,
                     std::chrono::milliseconds showAfter, const std::function<bool()>& goOn,
                     const std::function<void(const WorkProgress&)>& work);

}  // namespace orbelquint
