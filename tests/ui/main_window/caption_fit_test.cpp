// Every caption and label whole, at the design font and at the larger fonts desktops set.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <string>

#include "ui/calendar_export/calendar_dialog.h"
#include "ui/dialogs/agreement.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/viewer/display.h"
#include "ui/widgets/wrap_button.h"

namespace orbelquint {
namespace {

using namespace test_support;

// The application's font for one test, the design font again after it.
class ApplicationFont {
  public:
    explicit ApplicationFont(int points, const QString& family = DesignFont().family(), int stretch = 100) {
        QFont font = DesignFont();
        font.setFamily(family);
        font.setPointSize(points);
        font.setStretch(stretch);
        QApplication::setFont(font);
    }
    ~ApplicationFont() { QApplication::setFont(DesignFont()); }
    ApplicationFont(const ApplicationFont&) = delete;
    ApplicationFont& operator=(const ApplicationFont&) = delete;
};

// Why a control's caption does not fit it; empty when it does.
std::string CutCaption(const QWidget& control) {
    const QFontMetrics metrics(control.font());
    const QRect box = control.contentsRect();
    const auto tooWide = [&](const QString& text, int room) {
        // An "&" marks the key of a mnemonic and takes no room.
        return metrics.size(Qt::TextShowMnemonic, text).width() > room ? text.toStdString() + " is too wide"
                                                                       : std::string();
    };
    const auto tooHigh = [&](const QString& text, int width, int height) {
        const QRect needed = metrics.boundingRect(QRect(0, 0, width, 100'000), Qt::TextWordWrap, text);
        return needed.height() > height || needed.width() > width ? text.toStdString() + " is cut"
                                                                  : std::string();
    };
    // A line of text is never cut off below.
    const bool oneLine = qobject_cast<const QCheckBox*>(&control) != nullptr ||
                         qobject_cast<const QLineEdit*>(&control) != nullptr ||
                         (qobject_cast<const QPushButton*>(&control) != nullptr &&
                          qobject_cast<const WrapButton*>(&control) == nullptr) ||
                         (qobject_cast<const QLabel*>(&control) != nullptr &&
                          !qobject_cast<const QLabel*>(&control)->wordWrap());
    if (oneLine && box.height() < metrics.height())
        return control.objectName().toStdString() + " is lower than a line";
    if (const auto* group = qobject_cast<const QGroupBox*>(&control))
        return tooWide(group->title(), box.width());
    if (const auto* check = qobject_cast<const QCheckBox*>(&control)) {
        const int indicator = control.style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                              control.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        return tooWide(check->text(), box.width() - indicator);
    }
    if (qobject_cast<const WrapButton*>(&control) != nullptr) {
        const auto* button = qobject_cast<const QAbstractButton*>(&control);
        return tooHigh(button->text(), box.width() - 4, box.height());
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control))
        return tooWide(button->text(), box.width() - 4);
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->wordWrap() ? tooHigh(label->text(), box.width(), box.height())
                                 : tooWide(label->text(), box.width());
    }
    return {};
}

void ExpectEveryCaptionWhole(const QWidget& window, int points) {
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const std::string cut = CutCaption(*control);
        EXPECT_EQ(cut, "") << control->objectName().toStdString() << " at " << points << " pt";
    }
}

TEST_F(MainWindowTest, EveryCaptionFitsAtEveryFontSizeAndTheWindowGrowsWithTheFont) {
    QSize designSize;
    QSize designViewerSize;
    for (const int points : {8, 10, 12, 14, 16}) {
        const ApplicationFont font(points);
        StartWith(SampleTimetable(), "2");
        ExpectEveryCaptionWhole(*main_, points);
        const QSize viewerSize = Display().size();  // as it comes, before it is fitted to the screen
        if (points == 8) designSize = main_->size();
        if (points == 8) designViewerSize = viewerSize;
        for (const auto& [size, design] :
             {std::pair{main_->size(), designSize}, {viewerSize, designViewerSize}}) {
            EXPECT_GE(size.width(), design.width() * points / 8 * 9 / 10) << points;
            EXPECT_GE(size.height(), design.height() * points / 8 * 9 / 10) << points;
        }
        main_->close();
        main_.reset();

        const Form1 agreement;
        ExpectEveryCaptionWhole(agreement, points);

        using namespace std::chrono;
        CalendarChoice choice;
        choice.range = {2026y / 9 / 1, 2027y / 6 / 30};
        choice.times.bellTimes = DefaultBellTimes();
        choice.file = "agenda.ics";
        CalendarDialog calendar(nullptr, choice, {});
        calendar.show();
        ExpectEveryCaptionWhole(calendar, points);
    }
    EXPECT_EQ(designSize, QSize(457, 357));  // the design's size at the design font
}

// Fonts that measure unlike the design font: the font of a bare Debian desktop without a theme,
// and a narrow one whose lines are as high as ever, so that the height does not follow the width.
TEST_F(MainWindowTest, EveryCaptionFitsAtFontsUnlikeTheDesignFont) {
    for (const auto& [family, stretch] : {std::pair{"DejaVu Sans", 100}, {"Liberation Sans", 62}}) {
        const ApplicationFont font(12, family, stretch);
        ASSERT_EQ(QFontInfo(QApplication::font()).family(), family);
        StartWith(SampleTimetable(), "2");
        ExpectEveryCaptionWhole(*main_, 12);
        main_->close();
        main_.reset();
        const Form1 agreement;
        ExpectEveryCaptionWhole(agreement, 12);
    }
}

}  // namespace
}  // namespace orbelquint
