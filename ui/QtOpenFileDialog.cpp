#include "ui/QtOpenFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

#include "ui/QtSaveFileDialog.h"

namespace quintrel {

QtOpenFileDialog::~QtOpenFileDialog() {
    delete dialog_.data();
}

QFileDialog& QtOpenFileDialog::Dialog() {
    if (dialog_.isNull()) {
        dialog_ = new QFileDialog(QApplication::activeWindow());
        dialog_->setOption(QFileDialog::DontUseNativeDialog);
        dialog_->setAcceptMode(QFileDialog::AcceptOpen);
        dialog_->setFileMode(QFileDialog::ExistingFile);
        dialog_->setDirectory(QDir::homePath());
        ShowWholeColumns(*dialog_);
    }
    return *dialog_;
}

void QtOpenFileDialog::Apply() {
    QFileDialog& dialog = Dialog();
    dialog.setWindowTitle(DialogTitle.isEmpty() ? QStringLiteral("Open") : DialogTitle);
    const QStringList filters = ToQtNameFilter(Filter).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (FilterIndex >= 0 && FilterIndex < filters.size()) {
        dialog.selectNameFilter(filters[FilterIndex]);
    }
    if (!InitDir.isEmpty()) {
        dialog.setDirectory(InitDir);
    }
    dialog.selectFile(FileName);
}

void QtOpenFileDialog::ShowOpen() {
    Apply();
    if (Dialog().exec() == QDialog::Accepted && !Dialog().selectedFiles().isEmpty()) {
        FileName = Dialog().selectedFiles().first();
    } else {
        FileName.clear();
    }
}

}  // namespace quintrel
