#include "app/TideLauncher.h"

#include <QFileInfo>

#include "ui/MessageBoxes.h"
#include "ui/OpenFileDialog.h"
#include "ui/ProgramStarter.h"

namespace quintrel {

namespace {

const QString kTidesTitle = QStringLiteral("Tides");

// Why a program could not be started, as far as the file itself tells.
QString StartFailureReason(const QString& path, bool throughWine) {
    const QFileInfo file(path);
    if (!file.exists()) {
        return QStringLiteral("The file does not exist.");
    }
    if (!file.isFile()) {
        return QStringLiteral("This is not a file.");
    }
    if (!throughWine && !file.isExecutable()) {
        return QStringLiteral("The file is not marked as a program (chmod +x).");
    }
    return throughWine ? QStringLiteral("Wine could not start it.")
                       : QStringLiteral("The system could not start it.");
}

}  // namespace

bool IsRunTidesEnabled(const AppState& state) {
    return !state.TidesPath.empty();
}

std::optional<QString> TideInitialDirectory(const std::string& tidesPath) {
    const auto separator = tidesPath.find_last_of("/\\");
    if (separator == std::string::npos) {
        return std::nullopt;
    }
    return QString::fromStdString(tidesPath.substr(0, separator));
}

bool IsWindowsProgram(const QString& path) {
    return path.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive);
}

void LocateTideProgram(OpenFileDialog& dialog, MessageBoxes& messages, AppState& state,
                       QWidget* parent) {
    if (const auto folder = TideInitialDirectory(state.TidesPath)) {
        dialog.InitDir = *folder;
    }
    dialog.FileName =
        QString::fromStdString(state.TidesPath.substr(state.TidesPath.find_last_of("/\\") + 1));
    dialog.Filter =
        QStringLiteral("WXTide32 Progam File (WXTide32.exe)|WXTide32.exe|Any tide program (*)|*");
    // Most tide programs here are the system's own, which the WXTide32.exe entry would hide.
    dialog.FilterIndex = IsWindowsProgram(dialog.FileName) ? 0 : 1;
    dialog.DialogTitle = QStringLiteral("Specify WXTide32 Program Location");
    dialog.ShowOpen();
    const QString chosen = dialog.FileName;
    if (chosen.isEmpty()) {
        return;
    }
    const QFileInfo file(chosen);
    if (!IsWindowsProgram(chosen) && !(file.isFile() && file.isExecutable())) {
        messages.Exclamation(kTidesTitle,
                             chosen + QStringLiteral(" is not a program.\r\n") +
                                 QStringLiteral("Choose WXTide32.exe or another tide program; "
                                                "the tide program stays as it was."),
                             parent);
        return;
    }
    state.TidesPath = chosen.toStdString();
}

QString RunTidesUnavailableText() {
    return QStringLiteral("No tide program is chosen yet: choose it with Setup");
}

QString TideStartErrorText(const QString& path, const QString& reason) {
    return QStringLiteral("Unable to start the tide program ") + path + QStringLiteral("\r\n") +
           (reason.isEmpty() ? QString() : reason + QStringLiteral("\r\n")) +
           QStringLiteral("Please use Tides, Setup to choose where WXTide32 is installed.");
}

bool RunTideProgram(ProgramStarter& starter, MessageBoxes& messages, const AppState& state,
                    QWidget* parent) {
    if (!IsRunTidesEnabled(state)) {
        return false;
    }
    const QString path = QString::fromStdString(state.TidesPath);
    const bool throughWine = IsWindowsProgram(path);
    if (throughWine && !starter.IsInstalled(QStringLiteral("wine"))) {
        messages.Exclamation(
            kTidesTitle,
            TideStartErrorText(path, QStringLiteral("It is a Windows program, and Wine, which "
                                                    "runs such programs here, is not installed. "
                                                    "Install Wine (for example: sudo apt install "
                                                    "wine), or choose a tide program made for "
                                                    "this system (such as xtide).")),
            parent);
        return false;
    }
    bool started = false;
    try {
        started = throughWine ? starter.Start(QStringLiteral("wine"), {path}) : starter.Start(path);
    } catch (const std::exception&) {
        started = false;
    }
    if (!started) {
        messages.Exclamation(
            kTidesTitle, TideStartErrorText(path, StartFailureReason(path, throughWine)), parent);
    }
    return started;
}

}  // namespace quintrel
