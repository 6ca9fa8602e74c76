#pragma once

#include <QWidget>

namespace orbelquint {

class PageView;

// The viewer window: a resizable tool window whose browser follows the window's size.
class Display : public QWidget {
    Q_OBJECT

  public:
    Display();

    PageView* brwView;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Form_Resize();
};

}  // namespace orbelquint
