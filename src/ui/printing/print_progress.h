#pragma once

#include <QString>
#include <functional>

#include "ui/printing/page_printing.h"

class QProgressDialog;
class QWidget;

namespace orbelquint {

// The progress of putting a page on paper, shown over `owner` once it takes a moment, with a
// button to cancel. Between sheets the window goes on handling its events, so it keeps answering;
// the drawing stops when the user cancels or when `goOn` says the window is ending.
class PrintProgress {
  public:
    PrintProgress(QWidget* owner, const QString& what, std::function<bool()> goOn);
    ~PrintProgress();
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    // What PaintPage is told after each sheet.
    SheetProgress Sheets();

  private:
    QProgressDialog* dialog_;
    QString what_;
    std::function<bool()> goOn_;
};

}  // namespace orbelquint
