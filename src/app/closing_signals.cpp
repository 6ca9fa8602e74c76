#include "app/closing_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <utility>

#include "ui/logging.h"

namespace orbelquint {
namespace {

constexpr std::array kClosingSignals = {SIGTERM, SIGHUP, SIGINT};

// The pipe from the handler to the event loop: read end, write end. One program has one.
int signalPipe[2] = {-1, -1};

void WriteSignal(int signal) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // The pipe does not block: when it is full, signals enough are already waiting.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

ClosingSignals::ClosingSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(lcOrbelquint) << "Zonder pijp voor signalen sluiten SIGTERM, SIGHUP en SIGINT het programma"
                                   " zonder de instellingen te bewaren.";
        return;
    }
    struct sigaction action {};
    action.sa_handler = &WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kClosingSignals)
        ::sigaction(signal, &action, nullptr);
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    notifier_->setEnabled(false);
    connect(notifier_, &QSocketNotifier::activated, this, &ClosingSignals::Received);
}

ClosingSignals::~ClosingSignals() {
    if (!notifier_) return;
    // The program is ending and has cleaned up: a signal from now on finds nothing to do, and
    // must not end it with another status than its own.
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    for (const int signal : kClosingSignals)
        ::sigaction(signal, &action, nullptr);
    delete notifier_;
    for (int& end : signalPipe) {
        ::close(end);
        end = -1;
    }
}

void ClosingSignals::Close(std::function<void()> close) {
    close_ = std::move(close);
    if (notifier_) notifier_->setEnabled(true);
}

void ClosingSignals::Received() {
    unsigned char received[64];
    // Several signals close once.
    while (::read(signalPipe[0], received, sizeof received) > 0) {
    }
    if (close_) close_();
}

}  // namespace orbelquint
