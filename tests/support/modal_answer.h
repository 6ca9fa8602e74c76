#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace orbelquint::test_support {

// While it lives, answers every modal window that opens (the agreement, a warning, a file
// dialog) by calling `answer` on it, so that no test waits for a person; `answer` must close it.
class ModalAnswerer {
  public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++count_;
                titles_ << modal->windowTitle();
                answer_(modal);
            }
        });
        poll_.start(5);
    }

    int Count() const { return count_; }
    const QStringList& Titles() const { return titles_; }

  private:
    std::function<void(QWidget*)> answer_;
    QTimer poll_;
    int count_ = 0;
    QStringList titles_;
};

}  // namespace orbelquint::test_support
