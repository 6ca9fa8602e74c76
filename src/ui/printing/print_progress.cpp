#include "ui/printing/print_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace orbelquint {

PrintProgress::PrintProgress(QWidget* owner, const QString& what, std::function<bool()> goOn)
    : dialog_(new QProgressDialog(what, "Annuleren", 0, 0, owner)), what_(what), goOn_(std::move(goOn)) {
    dialog_->setWindowTitle("OrbelQuint");
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(500);  // a page of a week is done before it shows
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
}

PrintProgress::~PrintProgress() {
    delete dialog_;
}

SheetProgress PrintProgress::Sheets() {
    return [this](int drawn, int sheets) {
        dialog_->setMaximum(sheets);
        dialog_->setValue(drawn);
        dialog_->setLabelText(QString("%1: blad %2 van %3").arg(what_).arg(drawn + 1).arg(sheets));
        QCoreApplication::processEvents();
        return !dialog_->wasCanceled() && goOn_();
    };
}

}  // namespace orbelquint
