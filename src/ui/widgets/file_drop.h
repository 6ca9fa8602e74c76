#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace orbelquint {

// Lets a window take a file dropped on it: `open` gets the file's local path. The window's line
// edits hand such a drop on instead of inserting the file's address as text.
class FileDrop : public QObject {
  public:
    FileDrop(QWidget& window, std::function<void(const QString& file)> open);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const QString&)> open_;
};

}  // namespace orbelquint
