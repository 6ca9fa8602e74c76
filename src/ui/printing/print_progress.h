#pragma once

#include <QString>
#include <chrono>
#include <functional>

#include "ui/printing/page_printing.h"

class QWidget;

namespace orbelquint {

// Puts a page on paper with `paint` (which lays it out and draws it, telling its progress) on a
// thread of its own, while the window goes on answering: the progress is shown over `owner` once
// it takes longer than `showAfter`, with a button to cancel. The drawing stops at the next sheet when the
// user cancels or when `goOn` says the window is ending. `paint` must use nothing of the windows.
Printed PaintWithProgress(QWidget* owner, const QString& what, std::chrono::milliseconds showAfter,
                          const std::function<bool()>& goOn,
                          const std::function<Printed(const SheetProgress&)>& paint);

}  // namespace orbelquint
