#include "ui/mark_colours.h"

#include <gtest/gtest.h>

#include <QStyle>
#include <QStyleFactory>
#include <memory>

namespace orbelquint {
namespace {

// A dark palette as desktops set one (qt6ct's dark Fusion scheme).
QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x353535));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2a2a2a));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x2a82da));
    dark.setColor(QPalette::Link, QColor(0x2a82da));
    dark.setColor(QPalette::LinkVisited, QColor(0xa070d0));
    return dark;
}

TEST(MarkColoursTest, TheThemesTextReadsOnEveryMarkInALightAndADarkPalette) {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    for (const QPalette& palette : {fusion->standardPalette(), DarkPalette()}) {
        const MarkColours marks = MarkColoursOf(palette);
        const QColor text = marks.text;
        EXPECT_EQ(text, palette.color(QPalette::Text));
        for (const QColor& mark : {marks.covered, marks.changes, marks.ends}) {
            EXPECT_GE(ContrastRatio(text, mark), 4.5) << mark.name().toStdString();
            // Seen apart from the page around it.
            EXPECT_GE(ContrastRatio(mark, palette.color(QPalette::Base)), 1.15) << mark.name().toStdString();
        }
        EXPECT_NE(marks.changes, marks.ends);
        EXPECT_NE(marks.covered, marks.changes);
        for (const QColor& background :
             {palette.color(QPalette::Base), palette.color(QPalette::Window), marks.covered, marks.changes})
            EXPECT_GE(ContrastRatio(marks.weekend, background), 4.5) << background.name().toStdString();
        EXPECT_NE(marks.weekend, text);  // still told apart from the week's days where the theme allows
    }
}

// Each mark takes the hue the palette gives its meaning: changes the selection's, a last week that
// of visited links.
TEST(MarkColoursTest, EachMarkHasTheHueOfItsMeaning) {
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, Qt::blue);
    palette.setColor(QPalette::LinkVisited, Qt::red);
    const MarkColours marks = MarkColoursOf(palette);
    EXPECT_LT(marks.changes.red(), marks.changes.blue());
    EXPECT_LT(marks.ends.blue(), marks.ends.red());
}

TEST(MarkColoursTest, ContrastAndMixingFollowTheirDefinitions) {
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0x777777), QColor(0x777777)), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0x767676), Qt::white), 4.54, 0.01);
    EXPECT_EQ(Mixed(Qt::black, Qt::white, 0.5).name(), "#808080");
    EXPECT_EQ(Mixed(QColor(0x2a2a2a), Qt::red, 0), QColor(0x2a2a2a));
}

}  // namespace
}  // namespace orbelquint
