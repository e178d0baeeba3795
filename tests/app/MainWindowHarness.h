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

#include "app/MainWindowServices.h"
#include "app/fMain.h"
#include "ui/MemorySettingsStore.h"
#include "ui/ProgramStarter.h"
#include "ui/RecordingMessageBoxes.h"
#include "ui/ScriptedSaveFileDialog.h"

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
    bool Start(const QString& path) override {
        started.push_back(path);
        return startSucceeds;
    }
    std::vector<QString> started;
    bool startSucceeds = true;
};

/// Everything one window needs, with the answers the test scripts.
struct WindowHarness {
    QTemporaryDir directory;
    MemorySettingsStore settings;
    RecordingMessageBoxes messages;
    ScriptedSaveFileDialog saveDialog;
    FakeProgramStarter starter;
    std::int16_t thisYear = 2026;
    int aboutShown = 0;
    int thanksShown = 0;
    /// Runs when the Thanks window opens (for checks of what close-down did before it).
    std::function<void()> onThanks;
    /// Answers of the location window, from the front: a record means OK with that
    /// record, no value means Cancel.
    std::deque<std::optional<std::string>> formAnswers;
    /// The record and mode the location window was opened with, each time.
    std::vector<std::pair<std::string, int>> formCalls;

    QString PathOf(const char* name) const { return directory.filePath(QString::fromLatin1(name)); }
    void WritePlaces(const std::vector<std::string>& records, const char* name = "locs.dat") {
        WriteWholeFile(PathOf(name), FileText(records));
    }

    MainWindowServices Services() {
        MainWindowServices services;
        services.settings = &settings;
        services.messages = &messages;
        services.cdPrintSetup = &saveDialog;
        services.programStarter = &starter;
        services.placeDirectory = directory.path().toStdString();
        services.thisYear = [this] { return thisYear; };
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
        services.timeText = [] { return std::string("14:05:09"); };
        services.dateText = [] { return std::string("06/12/2026"); };
        return services;
    }

    /// A loaded window; fails the test when Form_Load refuses.
    std::unique_ptr<fMain> Open() {
        auto window = std::make_unique<fMain>(Services());
        if (!window->Form_Load()) {
            return nullptr;
        }
        return window;
    }
};

}  // namespace quintrel::testing
