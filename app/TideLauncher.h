#pragma once

#include <QString>
#include <optional>
#include <string>

#include "appcore/AppState.h"

class QWidget;

namespace quintrel {

class MessageBoxes;
class ProgramStarter;
class SaveFileDialog;

/// Captions of the tide menu items, by index of the item group `miTides`.
inline constexpr int kMiTidesRun = 0;        ///< "Run WXTides"
inline constexpr int kMiTidesSeparator = 1;  ///< separator line
inline constexpr int kMiTidesSetup = 2;      ///< "Setup"

/// "Run WXTides" is enabled exactly when a tide program path is stored.
bool IsRunTidesEnabled(const AppState& state);

/// The directory the "Setup" dialog should open in for a stored path: the text before the
/// first "wxtide32.exe" (any case) without its last character, when at least one character
/// precedes it ("D:\Tide\WXTide32.exe" -> "D:\Tide", "/opt/tide/wxtide32.exe" -> "/opt/tide").
/// No value when the path does not name WXTide32.exe that way.
std::optional<QString> TideInitialDirectory(const std::string& tidesPath);

/// "Setup": asks for the tide program with the shared dialog (title "Specify WXTide32
/// Program Location", filter for WXTide32.exe) and stores the chosen path in
/// `state.TidesPath`. Cancelling keeps the path as it was. Nothing is saved here.
void LocateTideProgram(SaveFileDialog& dialog, AppState& state);

/// "Run WXTides": starts `state.TidesPath` exactly as stored, no arguments, detached.
/// When it cannot be started, shows a message naming the path and returns false; the
/// program carries on. Does nothing (returns false) when no path is stored.
bool RunTideProgram(ProgramStarter& starter, MessageBoxes& messages, const AppState& state,
                    QWidget* parent = nullptr);

/// The text of the message shown when the tide program cannot be started.
QString TideStartErrorText(const QString& path);

}  // namespace quintrel
