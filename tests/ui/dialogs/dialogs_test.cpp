#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "support/modal_answer.h"
#include "support/test_files.h"
#include "ui/dialogs/agreement.h"
#include "ui/dialogs/common.h"

namespace orbelquint {
namespace {

using test_support::ModalAnswerer;

TEST(AgreementTest, OkAndTheCloseBoxBothLetStartUpGoOn) {
    Form1 agreement;
    EXPECT_EQ(agreement.windowTitle(), "Gebruikersovereenkomst");
    EXPECT_EQ(agreement.size(), QSize(312, 78));
    EXPECT_TRUE(agreement.Label1->text().startsWith("De auteur van dit programma"));
    {
        const ModalAnswerer pressOk([&agreement](QWidget*) {
            EXPECT_EQ(QApplication::focusWidget(), agreement.btnOK);
            QTest::mouseClick(agreement.btnOK, Qt::LeftButton);
        });
        agreement.exec();
        EXPECT_EQ(pressOk.Count(), 1);
    }
    EXPECT_FALSE(agreement.isVisible());
    const ModalAnswerer closeBox([](QWidget* window) { window->close(); });
    agreement.exec();
    EXPECT_EQ(closeBox.Count(), 1);
}

// Answers the file dialog with a file name typed into it.
void Choose(QWidget* window, const QString& file) {
    auto* dialog = qobject_cast<QFileDialog*>(window);
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(file);
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog makes its override protected
}

TEST(OpenDialogTest, GivesTheFullPathAndMovesToItsFolder) {
    const test_support::TempDir folder;
    const QString root = QString::fromStdString(folder.Path().string());
    QDir(root).mkdir("klas");
    const QString chosen = root + "/klas/nog-niet.htm";  // a file that does not exist yet
    QDir::setCurrent(root);
    {
        const ModalAnswerer answer([&chosen](QWidget* window) { Choose(window, chosen); });
        EXPECT_EQ(Common::ShowOpenDialog(nullptr, "Webpaginas (*.htm*)", "Gegevens inladen"), chosen);
        EXPECT_EQ(answer.Titles(), QStringList{"Gegevens inladen"});
    }
    EXPECT_EQ(QDir::currentPath(), root + "/klas");

    const ModalAnswerer cancel([](QWidget* window) { qobject_cast<QDialog*>(window)->reject(); });
    EXPECT_EQ(Common::ShowOpenDialog(nullptr, "Webpaginas (*.htm*)", "Gegevens inladen"), "cancel");
    EXPECT_EQ(QDir::currentPath(), root + "/klas");
}

}  // namespace
}  // namespace orbelquint
