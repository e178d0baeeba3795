#pragma once

#include <cstdint>
#include <functional>
#include <string>

class QWidget;

namespace quintrel {

class MessageBoxes;
class ProgramStarter;
class SaveFileDialog;
class SettingsStore;

/// What the main window needs from outside: the real ones in the program, fakes in tests.
/// The four pointers must outlive the window. The functions may be left empty; the window
/// then uses the real thing (the computer's clock, the location window, About, Thanks).
struct MainWindowServices {
    SettingsStore* settings = nullptr;
    MessageBoxes* messages = nullptr;
    SaveFileDialog* cdPrintSetup = nullptr;  ///< the one shared save-file dialog
    ProgramStarter* programStarter = nullptr;
    /// The directory that holds locs.dat and locs.bak, without a trailing separator: the
    /// program's own, or the user's data folder (PreparePlaceDirectory decides).
    std::string placeDirectory;

    /// The current calendar year of the computer's clock.
    std::function<std::int16_t()> thisYear;
    /// The location window: `record` (Windows-1252 bytes) in and out, mode 1 = new place,
    /// 0 = edit; true when closed with OK.
    std::function<bool(QWidget* parent, std::string& record, int mode)> locationForm;
    /// Opens the About window modally.
    std::function<void(QWidget* parent)> showAbout;
    /// Opens the acknowledgement window modally.
    std::function<void(QWidget* parent)> showThanks;
    /// The local time and date texts of the CSV preamble, in the user's formats.
    std::function<std::string()> timeText;
    std::function<std::string()> dateText;
};

}  // namespace quintrel
