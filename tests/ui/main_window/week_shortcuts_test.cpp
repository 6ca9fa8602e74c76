#include "ui/main_window/week_shortcuts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <map>
#include <string>

namespace orbelquint {
namespace {

// A text field that claims every key for itself, as text fields do with Ctrl+E on desktops whose
// key scheme moves to the end of the line with it.
class GreedyField : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return QLineEdit::event(event);
        event->accept();
        return true;
    }
};

// Whichever field has the focus: one on the window itself, and one in a group box within it, as
// the week field is.
TEST(WeekShortcutsTest, TheWindowsKeysWinOverAFieldThatClaimsThem) {
    QWidget window;
    auto* direct = new GreedyField(&window);
    auto* group = new QGroupBox("Week", &window);
    auto* nested = new GreedyField(group);
    std::map<std::string, int> done;
    const auto count = [&done](const char* action) { return [&done, action] { ++done[action]; }; };
    AddWeekShortcuts(window, {count("next"), count("previous"), count("this"), count("open"), count("save"),
                              count("print"), count("pdf"), count("calendar"), count("rebuild")});
    window.show();
    QApplication::setActiveWindow(&window);
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*> keys[] = {
        {Qt::Key_E, Qt::ControlModifier, "pdf"},     {Qt::Key_G, Qt::ControlModifier, "calendar"},
        {Qt::Key_O, Qt::ControlModifier, "open"},    {Qt::Key_S, Qt::ControlModifier, "save"},
        {Qt::Key_P, Qt::ControlModifier, "print"},   {Qt::Key_F5, Qt::NoModifier, "rebuild"},
        {Qt::Key_Right, Qt::AltModifier, "next"},    {Qt::Key_PageDown, Qt::ControlModifier, "next"},
        {Qt::Key_Left, Qt::AltModifier, "previous"}, {Qt::Key_PageUp, Qt::ControlModifier, "previous"},
        {Qt::Key_Home, Qt::AltModifier, "this"},
    };
    for (GreedyField* field : {direct, nested}) {
        field->setFocus();
        for (const auto& [key, modifiers, action] : keys) {
            const int before = done[action];
            QTest::keyClick(field, key, modifiers);
            EXPECT_EQ(done[action], before + 1) << action << ' ' << key << (field == nested ? " nested" : "");
        }
        // A key that is not the window's stays with the field.
        QTest::keyClick(field, Qt::Key_A);
        EXPECT_EQ(field->text(), "a");
    }
}

}  // namespace
}  // namespace orbelquint
