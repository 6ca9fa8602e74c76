#include "ui/viewer/display.h"

#include "ui/viewer/page_view.h"
#include "ui/viewer/viewer_size.h"
#include "ui/viewer/week_grid_view.h"
#include "ui/widgets/twips.h"

namespace orbelquint {

Display::Display() : QWidget(nullptr, Qt::Tool) {
    // A closed viewer is gone; the main window creates it anew when it next shows a page.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Display");
    setAccessibleName("Weergave van de weekpagina");
    // Its first size grows with the desktop's font, as the main window's does.
    const TwipScale scale = TwipScaleFor(font());
    resize(Pixels(10485, scale.across), Pixels(7770, scale.down));
    brwView = new PageView(this);
    brwView->setAccessibleName("Weekpagina");
    brwView->setGeometry(TwipsRect(120, 120, 10215, 7455));
    grdWeek = new WeekGridView(this);
    grdWeek->setAccessibleName("Weekrooster als raster");
    grdWeek->setGeometry(brwView->geometry());
    grdWeek->hide();
}

void Display::ShowView(WeekView view) {
    const bool grid = view == WeekView::Grid;
    grdWeek->setVisible(grid);
    brwView->setVisible(!grid);
}

void Display::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Form_Resize();
}

void Display::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// The browser keeps its place and takes the window's outer size less a margin.
void Display::Form_Resize() {
    const QSize outer = frameGeometry().size();
    const auto browser = BrowserSizeFor({static_cast<float>(outer.width()) * kTwipsPerPixel,
                                         static_cast<float>(outer.height()) * kTwipsPerPixel});
    if (!browser) return;
    brwView->resize(Pixels(browser->width), Pixels(browser->height));
    grdWeek->setGeometry(brwView->geometry());
}

}  // namespace orbelquint
