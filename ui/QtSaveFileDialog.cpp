#include "ui/QtSaveFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStringList>
#include <QTreeView>

namespace quintrel {

namespace {

// The longest file name most Linux file systems take, in bytes.
constexpr qsizetype kMaxFileNameBytes = 255;

// A remembered name the dialog cannot show: the caller starts again with an empty one.
void CheckPresetName(const QString& fileName) {
    if (fileName.contains(QChar(0))) {
        throw SaveDialogError("The file name contains a null character");
    }
    if (QFileInfo(fileName).fileName().toUtf8().size() > kMaxFileNameBytes) {
        throw SaveDialogError("The file name " + fileName.toStdString() + " is too long");
    }
}

// The extension part of a default extension: ".csv" -> "csv", "WXTide32.exe" -> "exe".
QString ExtensionOf(const QString& defaultExt) {
    const qsizetype dot = defaultExt.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? defaultExt : defaultExt.mid(dot + 1);
}

}  // namespace

QString ToQtNameFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2) {
        return filter;
    }
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        // Patterns are separated by ';' in the bar form and by blanks in Qt's.
        const QString pattern = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString bracketed = QLatin1Char('(') + pattern + QLatin1Char(')');
        entries << (description.endsWith(bracketed) ? description
                                                    : description + QLatin1Char(' ') + bracketed);
    }
    return entries.join(QStringLiteral(";;"));
}

QString WithDefaultExtension(const QString& path, const QString& defaultExt) {
    const QString extension = ExtensionOf(defaultExt);
    if (path.isEmpty() || extension.isEmpty()) {
        return path;
    }
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.'))) {
        return path;
    }
    return path + QLatin1Char('.') + extension;
}

QtSaveFileDialog::QtSaveFileDialog(QWidget* parent) {
    MakeDialog(parent);
}

void QtSaveFileDialog::MakeDialog(QWidget* parent) {
    dialog_ = new QFileDialog(parent);
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
    dialog_->setAcceptMode(QFileDialog::AcceptSave);
    dialog_->setFileMode(QFileDialog::AnyFile);
    // Left alone, a new dialog opens in the folder the program was started from: the source
    // tree under `make run`, wherever a terminal happened to be otherwise. The home folder
    // is where printing to a file puts its PDF too.
    dialog_->setDirectory(QDir::homePath());
    ShowWholeColumns(*dialog_);
}

void ShowWholeColumns(QFileDialog& dialog) {
    // The detail view's columns start narrow and cut sizes and dates short ("1.2 K…").
    dialog.setViewMode(QFileDialog::Detail);
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        for (int column = 1; column < 4; ++column) {
            files->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
    }
}

QtSaveFileDialog::~QtSaveFileDialog() {
    delete dialog_.data();
}

void QtSaveFileDialog::SetParentWindow(QWidget* window) {
    // setParent resets the window flags; keep it a dialog window.
    Dialog().setParent(window, Dialog().windowFlags() | Qt::Dialog);
}

QFileDialog& QtSaveFileDialog::Dialog() {
    if (dialog_.isNull()) {
        MakeDialog(nullptr);  // its window went first and took it along
    }
    return *dialog_;
}

void QtSaveFileDialog::Apply() {
    QFileDialog& dialog = Dialog();
    dialog.setWindowTitle(DialogTitle.isEmpty() ? QStringLiteral("Save As") : DialogTitle);
    dialog.setNameFilter(ToQtNameFilter(Filter));
    dialog.setDefaultSuffix(ExtensionOf(DefaultExt));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !ConfirmOverwrite);
    if (!InitDir.isEmpty()) {
        dialog.setDirectory(InitDir);
    }
    // A full remembered path opens in its own folder, as the initial directory only applies
    // to a bare name.
    dialog.selectFile(FileName);
}

QString QtSaveFileDialog::AcceptedPath() {
    const QStringList files = Dialog().selectedFiles();
    return files.isEmpty() ? QString() : WithDefaultExtension(files.first(), DefaultExt);
}

void QtSaveFileDialog::ShowSave() {
    CheckPresetName(FileName);
    // Made before any window, the dialog opens centred over the window it is asked from.
    QWidget* active = QApplication::activeWindow();
    if (Dialog().parentWidget() == nullptr && active != nullptr && active != &Dialog() &&
        !Dialog().isAncestorOf(active)) {
        SetParentWindow(active);
    }
    Apply();
    if (Dialog().exec() == QDialog::Accepted) {
        FileName = AcceptedPath();
    } else {
        FileName.clear();
    }
}

}  // namespace quintrel
