// The window tests run under a QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/widgets/twips.h"

namespace {

// The offscreen platform cannot raise windows and says so at every build; that is no news.
void DropRaiseWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("This plugin does not support raise()")) return;
    qt_message_output(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(DropRaiseWarnings);
    QApplication app(argc, argv);
    // The windows are laid out at the design font, where their sizes are those of the design.
    QApplication::setFont(orbelquint::DesignFont());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
