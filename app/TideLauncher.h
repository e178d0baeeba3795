#pragma once

#include <QString>
#include <optional>
#include <string>

#include "appcore/AppState.h"

class QWidget;

namespace quintrel {

class MessageBoxes;
class ProgramStarter;
class OpenFileDialog;

/// Captions of the tide menu items, by index of the item group `miTides`.
inline constexpr int kMiTidesRun = 0;        ///< "Run WXTides"
inline constexpr int kMiTidesSeparator = 1;  ///< separator line
inline constexpr int kMiTidesSetup = 2;      ///< "Setup"

/// "Run WXTides" is enabled exactly when a tide program path is stored.
bool IsRunTidesEnabled(const AppState& state);

/// The folder the "Setup" dialog opens in for a stored path: the text before its last '/'
/// or '\' ("D:\Tide\WXTide32.exe" -> "D:\Tide", "/usr/bin/xtide" -> "/usr/bin"). No
/// value for a bare name or an empty path.
std::optional<QString> TideInitialDirectory(const std::string& tidesPath);

/// Whether `path` names a Windows program (ends in ".exe", any case), run through wine
/// on this system.
bool IsWindowsProgram(const QString& path);

/// "Setup": asks for the tide program with an open dialog for an existing file (title
/// "Specify WXTide32 Program Location", filters for WXTide32.exe and for any program, the
/// latter shown first unless the stored program is a Windows one), opening in the stored
/// program's folder with its name. Nothing is added to the path chosen. A `.exe` or an
/// executable file is stored in `state.TidesPath`; anything else (a CSV file, a folder) is
/// refused with a message and the path kept. Cancelling keeps the path too. Nothing is
/// saved here.
void LocateTideProgram(OpenFileDialog& dialog, MessageBoxes& messages, AppState& state,
                       QWidget* parent = nullptr);

/// Why "Run WXTides" is greyed before a program is chosen, for its tool tip.
QString RunTidesUnavailableText();

/// "Run WXTides": starts `state.TidesPath` exactly as stored, no arguments, detached; a
/// Windows program is started through wine. When it cannot be started, shows a message
/// saying why and what to install or choose, and returns false; the program carries on.
/// Does nothing (returns false) when no path is stored.
bool RunTideProgram(ProgramStarter& starter, MessageBoxes& messages, const AppState& state,
                    QWidget* parent = nullptr);

/// The text of the message shown when the tide program cannot be started: the path, then
/// `reason` (one line), then what to do.
QString TideStartErrorText(const QString& path, const QString& reason = QString());

}  // namespace quintrel
