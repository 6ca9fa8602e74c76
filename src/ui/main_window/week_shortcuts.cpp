#include "ui/main_window/week_shortcuts.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <utility>

namespace orbelquint {

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
        {Qt::Key_F5, &actions.rebuild},
    };
    for (const auto& [key, action] : keys) {
        auto* shortcut = new QShortcut(key, &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, *action);
    }
}

}  // namespace orbelquint
