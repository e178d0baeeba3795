#include "ui/OpenFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "ui/QtSaveFileDialog.h"

namespace quintrel {

QString QtOpenFileDialog::ShowOpen(const QString& title, const QString& filter, QWidget* parent) {
    const QString path = QFileDialog::getOpenFileName(
        parent, title, folder_, ToQtNameFilter(filter), nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) {
        folder_ = QFileInfo(path).absolutePath();
    }
    return path;
}

}  // namespace quintrel
