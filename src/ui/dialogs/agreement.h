#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace orbelquint {

// The user agreement, shown once on the first start; however it is dismissed, start-up goes on.
class Form1 : public QDialog {
    Q_OBJECT

  public:
    Form1();

    QLabel* Label1;
    QPushButton* btnOK;

  private:
    void btnOK_Click();
};

}  // namespace orbelquint
