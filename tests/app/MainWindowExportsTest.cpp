// The report toolbar's export tools and the "Tides" menu on the main window.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QTest>

#include "MainWindowHarness.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::testing;

namespace {

QAction* Tool(fMain& window, const QString& caption) {
    const QList<QAction*> tools = Ui(window).arvReport->Tools();
    for (QAction* tool : tools) {
        if (tool->text() == caption) {
            return tool;
        }
    }
    return nullptr;
}

std::string CalendarSetting(const MemorySettingsStore& store, const char* key) {
    const auto found = store.values.find({"Varnel", "Calendar", key});
    return found == store.values.end() ? "<missing>" : found->second;
}

}  // namespace

class MainWindowExportsTest : public QObject {
    Q_OBJECT

    WindowHarness* harness_ = nullptr;
    std::unique_ptr<fMain> window_;

  private slots:
    void init() {
        harness_ = new WindowHarness;
        harness_->WritePlaces(FivePlaces());
        harness_->settings.Set("Month", "1");
        harness_->settings.Set("Year", "2004");
        window_ = harness_->Open();
        QVERIFY(window_);
    }

    void cleanup() {
        window_.reset();
        delete harness_;
        harness_ = nullptr;
    }

    void csvExportWritesTheShownMonth() {
        const QString path = harness_->directory.filePath("january.csv");
        harness_->saveDialog.script.push_back(path);
        QAction* tool = Tool(*window_, "CSV Export");
        QVERIFY(tool);
        tool->trigger();
        QVERIFY(harness_->messages.shown.empty());
        QCOMPARE(harness_->saveDialog.seen.back().filter,
                 QString("Comma Separated Values (*.csv)|*.csv"));
        const std::string text = ReadWholeFile(path);
        QVERIFY(text.rfind("Quintrel (Version " QUINTREL_PROJECT_VERSION
                           ") Data Extract done at 14:05:09 on 06/12/2026\r\n"
                           "Date,Day,",
                           0) == 0);
        QVERIFY(text.find("\r\n20040101,Thursday,") != std::string::npos);
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 33L);
    }

    void pdfExportWritesTheShownReport() {
        const QString path = harness_->directory.filePath("january.pdf");
        harness_->saveDialog.script.push_back(path);
        Tool(*window_, "PDF Export")->trigger();
        QVERIFY(harness_->messages.shown.empty());
        QCOMPARE(harness_->saveDialog.seen.back().filter,
                 QString("Portable Document Format (*.pdf)|*.pdf"));
        QVERIFY(ReadWholeFile(path).rfind("%PDF", 0) == 0);
    }

    void calendarExportAsksTheOptionsAndRemembersThem() {
        // The three export tools sit together, in this order.
        const QList<QAction*> tools = Ui(*window_).arvReport->Tools();
        const qsizetype pdf = tools.indexOf(Tool(*window_, "PDF Export"));
        QCOMPARE(tools.indexOf(Tool(*window_, "CSV Export")), pdf + 1);
        QCOMPARE(tools.indexOf(Tool(*window_, "Calendar Export")), pdf + 2);

        harness_->settings.values[{"Varnel", "Calendar", "Alarm"}] = "15";
        CalendarOptions answer;
        answer.goodDays = true;
        answer.minimumRating = Rating::Poor;
        answer.alarmMinutes = 20;
        harness_->calendarAnswers.push_back(answer);
        const QString path = harness_->directory.filePath("january.ics");
        harness_->saveDialog.script.push_back(path);
        Tool(*window_, "Calendar Export")->trigger();

        QVERIFY(harness_->messages.shown.empty());
        QCOMPARE(harness_->calendarShown.size(), std::size_t{1});
        QCOMPARE(harness_->calendarShown[0].alarmMinutes, 15);
        QCOMPARE(harness_->saveDialog.seen.back().filter, QString("iCalendar (*.ics)|*.ics"));
        QCOMPARE(harness_->saveDialog.seen.back().fileName, QString("Sydney 2004-01.ics"));
        const std::string text = ReadWholeFile(path);
        QVERIFY(text.rfind("BEGIN:VCALENDAR\r\n", 0) == 0);
        QVERIFY(text.find("\r\nLOCATION:Australia (Sydney)\r\n") != std::string::npos);
        QVERIFY(text.find("\r\nDTSTART;VALUE=DATE:20040131\r\n") != std::string::npos);
        QVERIFY(text.find("\r\nTRIGGER:-PT20M\r\n") != std::string::npos);
        // The time stamp is the moment the window's clock gave.
        QVERIFY(text.find("\r\nDTSTAMP:20231114T221320Z\r\n") != std::string::npos);
        QCOMPARE(CalendarSetting(harness_->settings, "Alarm"), std::string("20"));
        QCOMPARE(CalendarSetting(harness_->settings, "Days"), std::string("1"));
    }

    void calendarBeyondTheYear3000IsToldBeforeAnyFile() {
        harness_->settings.Set("Year", "3001");
        auto window = harness_->Open();
        QVERIFY(window);
        QCOMPARE(window->Table().Year, std::int16_t{3001});
        Tool(*window, "Calendar Export")->trigger();
        QVERIFY(harness_->saveDialog.seen.empty());
        QCOMPARE(harness_->messages.shown.size(), std::size_t{1});
        QCOMPARE(harness_->messages.shown.front().title, QString("Export Error"));
        QVERIFY(harness_->messages.shown.front().text.contains("3000"));
    }

    void cancelledCalendarOptionsAskForNoFile() {
        harness_->calendarAnswers.push_back(std::nullopt);
        Tool(*window_, "Calendar Export")->trigger();
        QVERIFY(harness_->saveDialog.seen.empty());
        QVERIFY(harness_->messages.shown.empty());
        QCOMPARE(CalendarSetting(harness_->settings, "Alarm"), std::string("<missing>"));
    }

    void cancelledExportWritesNothing_data() {
        QTest::addColumn<QString>("tool");
        QTest::newRow("csv") << "CSV Export";
        QTest::newRow("pdf") << "PDF Export";
        QTest::newRow("calendar") << "Calendar Export";
    }
    void cancelledExportWritesNothing() {
        QFETCH(QString, tool);
        harness_->saveDialog.script.push_back(QString());
        Tool(*window_, tool)->trigger();
        QVERIFY(harness_->messages.shown.empty());
        QCOMPARE(QDir(harness_->directory.path()).entryList(QDir::Files),
                 (QStringList{"locs.dat"}));
    }

    void exportToAMissingDirectoryShowsTheExportError_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("name");
        QTest::newRow("csv") << "CSV Export"
                             << "out.csv";
        QTest::newRow("pdf") << "PDF Export"
                             << "out.pdf";
        QTest::newRow("calendar") << "Calendar Export"
                                  << "out.ics";
    }
    void exportToAMissingDirectoryShowsTheExportError() {
        QFETCH(QString, tool);
        QFETCH(QString, name);
        const QString path = harness_->directory.filePath("missing/" + name);
        harness_->saveDialog.script.push_back(path);
        Tool(*window_, tool)->trigger();
        QCOMPARE(harness_->messages.shown.size(), std::size_t{1});
        const auto& shown = harness_->messages.shown.front();
        QCOMPARE(shown.title, QString("Export Error"));
        QCOMPARE(shown.text, "Unable to write to the file " + path +
                                 "\r\nPlease ensure you have selected a valid directory and "
                                 "file for writing.");
    }

    void failingWriteShowsTheExportError() {
        if (!QFile::exists("/dev/full")) {
            QSKIP("needs /dev/full to make a write fail after the file opened");
        }
        harness_->saveDialog.script.push_back(QString("/dev/full"));
        Tool(*window_, "CSV Export")->trigger();
        QCOMPARE(harness_->messages.shown.size(), std::size_t{1});
        QCOMPARE(harness_->messages.shown.front().title, QString("Export Error"));
    }

    void runTidesIsGreyUntilAPathIsChosen() {
        emit Ui(*window_).popTides->aboutToShow();
        QVERIFY(!Ui(*window_).miTides[0]->isEnabled());
        QVERIFY(Ui(*window_).miTides[1]->isSeparator());
        QVERIFY(Ui(*window_).miTides[2]->isEnabled());
        QCOMPARE(Ui(*window_).miTides[0]->text(), QString("Run WXTides"));
        QCOMPARE(Ui(*window_).miTides[2]->text(), QString("Setup"));

        const QString chosen = "/opt/tide tools/WXTide32.exe";
        harness_->saveDialog.script.push_back(chosen);
        Ui(*window_).miTides[2]->trigger();
        QCOMPARE(harness_->saveDialog.seen.back().title,
                 QString("Specify WXTide32 Program Location"));
        emit Ui(*window_).popTides->aboutToShow();
        QVERIFY(Ui(*window_).miTides[0]->isEnabled());

        Ui(*window_).miTides[0]->trigger();
        // A Windows program runs through wine.
        QCOMPARE(harness_->starter.started, (std::vector<QString>{"wine " + chosen}));
        QVERIFY(harness_->messages.shown.empty());

        window_->close();
        QCOMPARE(harness_->settings.Get("Tides"), chosen.toStdString());
    }

    void cancelledSetupKeepsThePath() {
        harness_->settings.Set("Tides", "/opt/tide/WXTide32.exe");
        WindowHarness& harness = *harness_;
        auto window = harness.Open();
        QVERIFY(window);
        harness.saveDialog.script.push_back(QString());
        Ui(*window).miTides[2]->trigger();
        QCOMPARE(harness.saveDialog.seen.back().initDir, QString("/opt/tide"));
        QCOMPARE(window->State().TidesPath, std::string("/opt/tide/WXTide32.exe"));
    }

    void aTideProgramThatWillNotStartIsReported() {
        WindowHarness harness;
        harness.settings.Set("Tides", "/nowhere/WXTide32.exe");
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        harness.starter.startSucceeds = false;
        Ui(*window).miTides[0]->trigger();
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        QVERIFY(harness.messages.shown.front().text.contains("/nowhere/WXTide32.exe"));
        QVERIFY(window->isEnabled());
    }

    // Each export proposes its own name and extension from place and month, in the folder
    // of the last export; the tide set-up never offers an export's name.
    void exportsProposeTheirOwnNameInTheLastExportFolder() {
        QDir(harness_->directory.path()).mkdir("out");
        const QString path = harness_->directory.filePath("out/mine.csv");
        harness_->saveDialog.script.push_back(path);
        Tool(*window_, "CSV Export")->trigger();
        QCOMPARE(harness_->saveDialog.seen.back().fileName, QString("Sydney 2004-01.csv"));

        harness_->saveDialog.script.push_back(QString());
        Tool(*window_, "PDF Export")->trigger();
        QCOMPARE(harness_->saveDialog.seen.back().fileName, QString("Sydney 2004-01.pdf"));
        QCOMPARE(harness_->saveDialog.seen.back().initDir, harness_->directory.filePath("out"));

        harness_->saveDialog.script.push_back(QString());
        Ui(*window_).miTides[2]->trigger();
        QCOMPARE(harness_->saveDialog.seen.back().fileName, QString());

        Ui(*window_).cboMonth->setCurrentIndex(1);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        harness_->saveDialog.script.push_back(QString());
        QTest::keyClick(window_.get(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(harness_->saveDialog.seen.back().fileName, QString("Sydney 2004-02.csv"));
    }
};

QTEST_MAIN(MainWindowExportsTest)
#include "MainWindowExportsTest.moc"
