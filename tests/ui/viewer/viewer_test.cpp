#include <gtest/gtest.h>

#include <QTest>

#include "support/test_files.h"
#include "ui/viewer/display.h"
#include "ui/viewer/page_view.h"
#include "ui/viewer/viewer_size.h"

namespace orbelquint {
namespace {

TEST(ViewerSizeTest, TheBrowserFollowsAWindowOfAtLeast1000Twips) {
    struct Case {
        TwipsSize window;
        std::optional<std::pair<float, float>> browser;
    };
    const Case cases[] = {{{1000, 1000}, {{600, 200}}},
                          {{9000, 6000}, {{8600, 5200}}},
                          {{999, 6000}, std::nullopt},
                          {{9000, 999}, std::nullopt}};
    for (const auto& [window, browser] : cases) {
        const auto size = BrowserSizeFor(window);
        ASSERT_EQ(size.has_value(), browser.has_value()) << window.width << "x" << window.height;
        if (size) {
            EXPECT_EQ(std::make_pair(size->width, size->height), *browser);
        }
    }
}

TEST(DisplayTest, TheBrowserKeepsItsPlaceAndItsLastSizeBelowTheLimit) {
    Display display;
    EXPECT_EQ(display.windowTitle(), "Display");
    EXPECT_FALSE(display.accessibleName().isEmpty());  // what a screen reader calls it
    EXPECT_FALSE(display.brwView->accessibleName().isEmpty());
    display.show();
    // The rule reads the outer size, frame included.
    const QSize frame = display.frameGeometry().size() - display.size();
    display.resize(QSize(600, 400) - frame);  // 9000 by 6000 twips
    EXPECT_EQ(display.brwView->geometry(), QRect(8, 8, 573, 347));
    display.resize(QSize(66, 400) - frame);  // 990 twips wide
    EXPECT_EQ(display.brwView->geometry(), QRect(8, 8, 573, 347));
}

TEST(PageViewTest, ShowsTheFileAsItIsNowAlsoWhenItIsShownAlready) {
    const test_support::TempDir folder;
    const std::filesystem::path page = folder.Write("temp.htm", "<p>week 7</p>");
    PageView view(nullptr);
    view.Navigate(page);
    EXPECT_EQ(view.toPlainText(), "week 7");
    folder.Write("temp.htm", "<p>week 8</p>");
    view.Navigate(page);
    EXPECT_EQ(view.toPlainText(), "week 8");

    view.Navigate(folder.Path() / "weg.htm");
    EXPECT_TRUE(view.toPlainText().contains("weg.htm"));
}

}  // namespace
}  // namespace orbelquint
