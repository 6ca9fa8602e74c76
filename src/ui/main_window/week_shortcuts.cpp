#include "ui/main_window/week_shortcuts.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QList>
#include <QShortcut>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace orbelquint {
namespace {

// Keeps the window's keys from the field that has the focus. A text field takes some of them for
// itself (Ctrl+E moves to the end of the line), which would leave the window's key dead there.
class WindowKeys : public QObject {
  public:
    WindowKeys(QWidget& window, QList<QKeySequence> keys) : QObject(&window), keys_(std::move(keys)) {
        for (QWidget* control : window.findChildren<QWidget*>())
            control->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        // Left unaccepted, the key goes on to the window's shortcut.
        return keys_.contains(pressed);
    }

  private:
    QList<QKeySequence> keys_;
};

}  // namespace

void AddWeekShortcuts(QWidget& window, const WeekActions& actions) {
    const std::pair<QKeySequence, const std::function<void()>*> keys[] = {
        {Qt::ALT | Qt::Key_Right, &actions.nextWeek},
        {Qt::CTRL | Qt::Key_PageDown, &actions.nextWeek},
        {Qt::ALT | Qt::Key_Left, &actions.previousWeek},
        {Qt::CTRL | Qt::Key_PageUp, &actions.previousWeek},
        {Qt::ALT | Qt::Key_Home, &actions.thisWeek},
        {QKeySequence::Open, &actions.open},
        {QKeySequence::Save, &actions.save},
        {QKeySequence::Print, &actions.print},
        {Qt::CTRL | Qt::Key_E, &actions.exportPdf},
        {Qt::CTRL | Qt::Key_G, &actions.exportCalendar},
        {Qt::Key_F5, &actions.rebuild},
    };
    QList<QKeySequence> sequences;
    for (const auto& [key, action] : keys) {
        auto* shortcut = new QShortcut(key, &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, *action);
        sequences.append(key);
    }
    new WindowKeys(window, std::move(sequences));
}

}  // namespace orbelquint
