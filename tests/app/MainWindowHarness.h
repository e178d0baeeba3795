#pragma once

// What the main window tests share: a temporary program directory with a small place
// file, and fakes for everything the window asks of the outside world.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <QGuiApplication>
#include <QScreen>

#include "app/MainWindowServices.h"
#include "app/fMain.h"
#include "appcore/MainLayout.h"
#include "calendar/CalendarOptions.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedOpenFileDialog.h"
#include "support/ScriptedSaveFileDialog.h"
#include "ui/ProgramStarter.h"
#include "ui/report/ReportViewer.h"

namespace quintrel::testing {

/// A location record of 59 bytes with the fields laid out in their columns.
inline std::string Record(bool favourite, const std::string& country, const std::string& town,
                          const std::string& latitude, const std::string& longitude,
                          const std::string& zone) {
    const auto pad = [](std::string text, std::size_t width) {
        text.resize(width, ' ');
        return text;
    };
    // latitude "-33 52", longitude "+151 13", zone "+10": sign, degrees, minutes.
    const auto angle = [](const std::string& text) {
        const char sign = text.front();
        const auto blank = text.find(' ');
        const std::string degrees = text.substr(1, blank - 1);
        const std::string minutes = text.substr(blank + 1);
        return std::string(1, sign) + std::string(3 - degrees.size(), ' ') + degrees +
               std::string(3 - minutes.size(), ' ') + minutes;
    };
    const std::string zoneHours = zone.substr(1);
    return std::string(favourite ? "0" : "1") + pad(country, 21) + pad(town, 17) + angle(latitude) +
           angle(longitude) + zone.front() + std::string(4 - zoneHours.size(), ' ') + zoneHours +
           "0";
}

/// Five places in sorted order: one favourite first, then four ordinary ones.
inline std::vector<std::string> FivePlaces() {
    return {
        Record(true, "Australia", "Sydney", "-33 52", "+151 13", "+10"),
        Record(false, "France", "Paris", "+48 51", "+2 21", "+1"),
        Record(false, "New Zealand", "Christchurch", "-43 32", "+172 38", "+12"),
        Record(false, "Pakistan", "Karachi", "+24 52", "+67 0", "+5"),
        Record(false, "USA", "Boston", "+42 21", "-71 4", "-5"),
    };
}

inline std::string FileText(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& record : records) {
        text += record + "\r\n";
    }
    return text;
}

inline std::string ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<missing>";
    }
    return file.readAll().toStdString();
}

inline void WriteWholeFile(const QString& path, const std::string& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

class FakeProgramStarter : public ProgramStarter {
  public:
    bool Start(const QString& program, const QStringList& arguments = {}) override {
        started.push_back(arguments.isEmpty() ? program : program + " " + arguments.join(' '));
        return startSucceeds;
    }
    bool IsInstalled(const QString& name) override { return installed.contains(name); }
    std::vector<QString> started;  ///< program and arguments, blank-separated
    bool startSucceeds = true;
    QStringList installed{"wine"};
};

/// The window's controls, found by their object names as a user's tools would see them.
struct MainControls {
    explicit MainControls(const QWidget& window)
        : arvReport(Find<ReportViewer>(window, "arvReport")),
          cboMonth(Find<QComboBox>(window, "cboMonth")),
          txtYear(Find<QLineEdit>(window, "txtYear")),
          lblPlus(Find<QWidget>(window, "lblPlus")),
          lblMinus(Find<QWidget>(window, "lblMinus")),
          cmdPlace(Find<QPushButton>(window, "cmdPlace")),
          cboPlaces(Find<QComboBox>(window, "cboPlaces")),
          cmdCalc(Find<QPushButton>(window, "cmdCalc")),
          cmdTides(Find<QPushButton>(window, "cmdTides")),
          cmdAbout(Find<QPushButton>(window, "cmdAbout")),
          cmdExit(Find<QPushButton>(window, "cmdExit")),
          popAddEditDel(Find<QMenu>(window, "popAddEditDel")),
          popTides(Find<QMenu>(window, "popTides")),
          miAddEditDel{Find<QAction>(window, "miAddEditDel0"),
                       Find<QAction>(window, "miAddEditDel1"),
                       Find<QAction>(window, "miAddEditDel2")},
          miTides{Find<QAction>(window, "miTides0"), Find<QAction>(window, "miTides1"),
                  Find<QAction>(window, "miTides2")} {}

    template <typename Control>
    static Control* Find(const QWidget& window, const char* name) {
        return window.findChild<Control*>(QString::fromLatin1(name));
    }

    ReportViewer* arvReport;
    QComboBox* cboMonth;
    QLineEdit* txtYear;
    QWidget* lblPlus;
    QWidget* lblMinus;
    QPushButton* cmdPlace;
    QComboBox* cboPlaces;
    QPushButton* cmdCalc;
    QPushButton* cmdTides;
    QPushButton* cmdAbout;
    QPushButton* cmdExit;
    QMenu* popAddEditDel;
    QMenu* popTides;
    std::array<QAction*, 3> miAddEditDel;
    std::array<QAction*, 3> miTides;
};

inline MainControls Ui(const QWidget& window) {
    return MainControls(window);
}

/// The state a first run starts with on the primary screen (clock at June 2026).
inline AppState FirstRun() {
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
    return FirstRunState(6, 2026, available.width() * kTwipsPerPixel,
                         available.height() * kTwipsPerPixel);
}

/// Everything one window needs, with the answers the test scripts.
struct WindowHarness {
    QTemporaryDir directory;
    MemorySettingsStore settings;
    RecordingMessageBoxes messages;
    ScriptedSaveFileDialog saveDialog;
    ScriptedOpenFileDialog openDialog;
    FakeProgramStarter starter;
    std::int16_t thisYear = 2026;
    std::int16_t thisMonth = 6;
    std::int16_t thisDay = 15;
    int aboutShown = 0;
    int thanksShown = 0;
    /// Runs when the Thanks window opens (for checks of what close-down did before it).
    std::function<void()> onThanks;
    /// Answers of the location window, from the front: a record means OK with that
    /// record, no value means Cancel.
    std::deque<std::optional<std::string>> formAnswers;
    /// Answers of the calendar options dialog, from the front: options mean OK with them,
    /// no value means Cancel; when none are left it answers OK with what it was shown.
    std::deque<std::optional<CalendarOptions>> calendarAnswers;
    /// The options the calendar dialog was opened with, each time.
    std::vector<CalendarOptions> calendarShown;
    /// The record and mode the location window was opened with, each time.
    std::vector<std::pair<std::string, int>> formCalls;

    QString PathOf(const char* name) const { return directory.filePath(QString::fromLatin1(name)); }
    void WritePlaces(const std::vector<std::string>& records, const char* name = "locs.dat") {
        WriteWholeFile(PathOf(name), FileText(records));
    }

    /// The places as a save writes them back, so the loaded list counts as unchanged and
    /// every later change is seen.
    void WritePlacesAsSaved(const std::vector<std::string>& records) {
        std::string text = FileText(records);
        text.resize(text.size() - 2);  // no empty entry after the final line break
        WriteWholeFile(PathOf("locs.dat"), text);
    }

    MainWindowServices Services() {
        MainWindowServices services;
        services.settings = &settings;
        services.messages = &messages;
        services.cdPrintSetup = &saveDialog;
        services.openDialog = &openDialog;
        services.programStarter = &starter;
        services.placeDirectory = directory.path().toStdString();
        services.thisYear = [this] { return thisYear; };
        services.thisMonth = [this] { return thisMonth; };
        services.thisDay = [this] { return thisDay; };
        services.showAbout = [this](QWidget*) { ++aboutShown; };
        services.showThanks = [this](QWidget*) {
            ++thanksShown;
            if (onThanks) {
                onThanks();
            }
        };
        services.locationForm = [this](QWidget*, std::string& record, int mode) {
            formCalls.emplace_back(record, mode);
            if (formAnswers.empty()) {
                return false;
            }
            const std::optional<std::string> answer = formAnswers.front();
            formAnswers.pop_front();
            if (!answer) {
                return false;
            }
            record = *answer;
            return true;
        };
        services.clockTexts = [] { return ClockTexts{"14:05:09", "06/12/2026", 1'700'000'000}; };
        services.calendarOptions = [this](QWidget*, CalendarOptions& options) {
            calendarShown.push_back(options);
            if (calendarAnswers.empty()) {
                return true;
            }
            const std::optional<CalendarOptions> answer = calendarAnswers.front();
            calendarAnswers.pop_front();
            if (answer) {
                options = *answer;
            }
            return answer.has_value();
        };
        return services;
    }

    /// A loaded window over the five places; nullptr when Form_Load refuses.
    std::unique_ptr<fMain> OpenWithFivePlaces() {
        WritePlaces(FivePlaces());
        return Open();
    }

    /// A loaded window; nullptr when Form_Load refuses.
    std::unique_ptr<fMain> Open() {
        auto window = std::make_unique<fMain>(Services());
        if (!window->Form_Load()) {
            return nullptr;
        }
        return window;
    }
};

}  // namespace quintrel::testing
