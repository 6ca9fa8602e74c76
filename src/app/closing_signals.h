#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>

namespace orbelquint {

// SIGTERM (log-out, a service manager), SIGHUP (the starting terminal closed) and SIGINT (Ctrl+C
// there) end the program as its close box does: the settings are saved and its own page and lock
// go. The handler only writes the signal into a pipe; the close itself runs in the event loop,
// once Close is given, so that nothing but the handler's one write happens inside it.
class ClosingSignals : public QObject {
    Q_OBJECT

  public:
    // Takes the signals from now on; one that comes before Close waits for it.
    ClosingSignals();
    ~ClosingSignals() override;
    ClosingSignals(const ClosingSignals&) = delete;
    ClosingSignals& operator=(const ClosingSignals&) = delete;

    // What the signals do, run in the event loop.
    void Close(std::function<void()> close);

  private:
    void Received();

    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> close_;
};

}  // namespace orbelquint
