#pragma once

#include <QPushButton>

namespace orbelquint {

// A push button whose caption wraps onto more lines when it is wider than the button.
class WrapButton : public QPushButton {
    Q_OBJECT

  public:
    WrapButton(const QString& text, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orbelquint
