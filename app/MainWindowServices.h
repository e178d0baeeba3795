#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "table/ClockText.h"

class QWidget;

namespace quintrel {

struct CalendarOptions;

class MessageBoxes;
class OpenFileDialog;
class ProgramStarter;
class SaveFileDialog;
class SettingsStore;

/// What the main window needs from outside: main.cpp passes the real ones, the tests fakes.
/// Every member must be set; the five pointers must outlive the window.
struct MainWindowServices {
    SettingsStore* settings = nullptr;
    MessageBoxes* messages = nullptr;
    SaveFileDialog* cdPrintSetup = nullptr;  ///< the one shared save-file dialog
    OpenFileDialog* openDialog = nullptr;    ///< picks the tide program, a log import, a photo
    ProgramStarter* programStarter = nullptr;
    /// The directory that holds locs.dat and locs.bak, without a trailing separator: the
    /// program's own, or the user's data folder (PreparePlaceDirectory decides).
    std::string placeDirectory;

    /// The current calendar year of the computer's clock.
    std::function<std::int16_t()> thisYear;
    /// The current month of the computer's clock, 1..12.
    std::function<std::int16_t()> thisMonth;
    /// The current day of the month of the computer's clock, 1..31.
    std::function<std::int16_t()> thisDay;
    /// The location window: `record` (Windows-1252 bytes) in and out, mode 1 = new place,
    /// 0 = edit; true when closed with OK.
    std::function<bool(QWidget* parent, std::string& record, int mode)> locationForm;
    /// Opens the About window modally.
    std::function<void(QWidget* parent)> showAbout;
    /// Opens the acknowledgement window modally.
    std::function<void(QWidget* parent)> showThanks;
    /// The local time and date texts of the CSV preamble, in the user's formats, read
    /// together so they belong to one moment.
    std::function<ClockTexts()> clockTexts;
    /// The calendar export's options dialog: the remembered choices in, the user's out;
    /// true when closed with OK.
    std::function<bool(QWidget* parent, CalendarOptions& options)> calendarOptions;
};

}  // namespace quintrel
