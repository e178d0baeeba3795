#include "app/TideLauncher.h"

#include "ui/MessageBoxes.h"
#include "ui/ProgramStarter.h"
#include "ui/SaveFileDialog.h"

namespace quintrel {

namespace {

// Case-blind search for the program's file name, as a path typed or picked on another
// system may spell it in any case. ASCII only, as the name itself is.
std::string::size_type FindProgramName(const std::string& path) {
    static const std::string kName = "wxtide32.exe";
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (path.size() < kName.size()) {
        return std::string::npos;
    }
    for (std::string::size_type at = 0; at + kName.size() <= path.size(); ++at) {
        std::string::size_type i = 0;
        while (i < kName.size() && lower(path[at + i]) == kName[i]) {
            ++i;
        }
        if (i == kName.size()) {
            return at;
        }
    }
    return std::string::npos;
}

}  // namespace

bool IsRunTidesEnabled(const AppState& state) {
    return !state.TidesPath.empty();
}

std::optional<QString> TideInitialDirectory(const std::string& tidesPath) {
    const auto at = FindProgramName(tidesPath);
    if (at == std::string::npos || at == 0) {
        return std::nullopt;
    }
    // Drop the separator in front of the name, whichever kind it is ('/' or '\').
    return QString::fromStdString(tidesPath.substr(0, at - 1));
}

void LocateTideProgram(SaveFileDialog& dialog, AppState& state) {
    if (const auto folder = TideInitialDirectory(state.TidesPath)) {
        dialog.InitDir = *folder;
    }
    dialog.Filter = QStringLiteral("WXTide32 Progam File (WXTide32.exe)|WXTide32.exe");
    dialog.DefaultExt = QStringLiteral("WXTide32.exe");
    dialog.DialogTitle = QStringLiteral("Specify WXTide32 Program Location");
    dialog.ConfirmOverwrite = false;  // the file chosen is the program, which stays as it is
    const QString chosen = ShowSaveWithRetry(dialog);
    if (!chosen.isEmpty()) {
        state.TidesPath = chosen.toStdString();
    }
}

QString TideStartErrorText(const QString& path) {
    return QStringLiteral("Unable to start the tide program ") + path + QStringLiteral("\r\n") +
           QStringLiteral("Please use Tides, Setup to choose where WXTide32 is installed.");
}

bool RunTideProgram(ProgramStarter& starter, MessageBoxes& messages, const AppState& state,
                    QWidget* parent) {
    if (!IsRunTidesEnabled(state)) {
        return false;
    }
    const QString path = QString::fromStdString(state.TidesPath);
    bool started = false;
    try {
        started = starter.Start(path);
    } catch (const std::exception&) {
        started = false;
    }
    if (!started) {
        messages.Exclamation(QStringLiteral("Tides"), TideStartErrorText(path), parent);
    }
    return started;
}

}  // namespace quintrel
