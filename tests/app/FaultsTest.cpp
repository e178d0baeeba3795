// The main window when the machine works against it: a program folder it may not write, a
// folder or an over-long file where the place file should be, every byte value in place
// names, a settings file full of garbage, and a disk that fills up during an export. Each
// must end with a plain message and the user's files as they were.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <random>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "MainWindowHarness.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "table/arReport.h"
#include "ui/Exports.h"
#include "ui/QtSettingsStore.h"
#include "ui/dlgLocations.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::testing;

namespace {

QStringList EntriesOf(const QString& directory) {
    return QDir(directory).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                     QDir::Name);
}

QAction* Tool(fMain& window, const QString& caption) {
    for (QAction* tool : Ui(window).arvReport->Tools()) {
        if (tool->text() == caption) {
            return tool;
        }
    }
    return nullptr;
}

// Runs `work` without the right to write the folder. The superuser writes anywhere, so as
// root the effective user and group become "nobody" for the duration (the real ones stay
// root, which allows the way back).
bool RunWithoutWriteAccess(const QString& directory, const std::function<void()>& work) {
    const QByteArray path = QFile::encodeName(directory);
    if (::chmod(path.constData(), 0555) != 0) {
        return false;
    }
    const bool root = ::geteuid() == 0;
    if (root && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) {
        ::setegid(0);
        ::chmod(path.constData(), 0700);
        return false;
    }
    work();
    const bool restored = !root || (::seteuid(0) == 0 && ::setegid(0) == 0);
    ::chmod(path.constData(), 0700);
    return restored;
}

// Makes every write to a regular file beyond `bytes` fail, as a full disk does. Only the
// soft limit is lowered, so it can be raised again afterwards.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // else the process is killed
        const rlimit lowered{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

// `count` places, each a valid record, in sorted order.
std::string ManyPlacesText(int count) {
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 61);
    for (int i = 0; i < count; ++i) {
        text += Record(false, "Country " + std::to_string(1000000 + i), "Town", "+48 51", "+2 21",
                       "+1") +
                "\r\n";
    }
    return text;
}

}  // namespace

class FaultsTest : public QObject {
    Q_OBJECT

  private slots:
    void readOnlyProgramFolderAtCloseDownNamesThePathAndKeepsBothFiles() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        WriteWholeFile(harness.PathOf("locs.bak"), "older list\r\n");
        const std::string oldList = ReadWholeFile(harness.PathOf("locs.dat"));
        auto window = harness.Open();
        QVERIFY(window);
        harness.formAnswers.push_back(Record(false, "Chile", "Valdivia", "-39 48", "-73 14", "-4"));
        Ui(*window).miAddEditDel[0]->trigger();
        QCOMPARE(Ui(*window).cboPlaces->count(), 6);
        window->show();

        QVERIFY(RunWithoutWriteAccess(harness.directory.path(), [&] { window->close(); }));

        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        const auto& shown = harness.messages.shown.front();
        // Asked, so the user may keep the window open and try again; OK closes.
        QCOMPARE(shown.kind, RecordingMessageBoxes::Kind::Question);
        QCOMPARE(shown.title, QString("Save Error"));
        QVERIFY2(shown.text.contains(harness.PathOf("locs.dat")), qPrintable(shown.text));
        QVERIFY(shown.text.contains("could not be saved"));
        QCOMPARE(ReadWholeFile(harness.PathOf("locs.dat")), oldList);
        QCOMPARE(ReadWholeFile(harness.PathOf("locs.bak")), std::string("older list\r\n"));
        QCOMPARE(EntriesOf(harness.directory.path()), QStringList({"locs.bak", "locs.dat"}));
        // The rest of the close-down still runs.
        QCOMPARE(harness.settings.writes.size(), std::size_t{6});
        QCOMPARE(harness.thanksShown, 1);
        QVERIFY(window->Places().LocationsChanged);
    }

    // Every close-down rewrites the list; unchanged, its failure loses nothing and says
    // nothing (a program installed read-only would otherwise complain at every close).
    void readOnlyProgramFolderWithoutChangesClosesQuietly() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        WriteWholeFile(harness.PathOf("locs.bak"), "older list\r\n");
        auto window = harness.Open();
        QVERIFY(window);
        QVERIFY(window->Places().LocationsChanged);  // the final line break, as always
        window->show();
        QVERIFY(RunWithoutWriteAccess(harness.directory.path(), [&] { window->close(); }));
        QVERIFY(harness.messages.shown.empty());
        QCOMPARE(ReadWholeFile(harness.PathOf("locs.dat")), FileText(FivePlaces()));
        QCOMPARE(ReadWholeFile(harness.PathOf("locs.bak")), std::string("older list\r\n"));
        QCOMPARE(harness.thanksShown, 1);
    }

    // An installation the user cannot write to, holding only the backup, still starts.
    void readOnlyFolderWithOnlyTheBackupStartsAndSaysChangesCannotBeSaved() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces(), "locs.bak");
        std::unique_ptr<fMain> window;
        QVERIFY(RunWithoutWriteAccess(harness.directory.path(), [&] {
            window = harness.Open();
            if (window) {
                window->show();
                window->close();
            }
        }));
        QVERIFY(window);
        QCOMPARE(window->Places().Locations, FivePlaces());
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});  // none at the close
        const QString text = harness.messages.shown.front().text;
        QVERIFY2(text.contains(harness.PathOf("locs.bak")) && text.contains("cannot be saved"),
                 qPrintable(text));
        QCOMPARE(EntriesOf(harness.directory.path()), QStringList({"locs.bak"}));
    }

    void folderNamedLocsDatEndsTheStartWithAPlainMessage_data() {
        QTest::addColumn<bool>("withBackup");
        QTest::newRow("without locs.bak") << false;
        QTest::newRow("with locs.bak") << true;
    }
    void folderNamedLocsDatEndsTheStartWithAPlainMessage() {
        QFETCH(bool, withBackup);
        WindowHarness harness;
        QVERIFY(QDir(harness.directory.path()).mkdir("locs.dat"));
        if (withBackup) {
            harness.WritePlaces(FivePlaces(), "locs.bak");
        }
        const QStringList before = EntriesOf(harness.directory.path());
        fMain window(harness.Services());
        QVERIFY(!window.Form_Load());
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        const auto& shown = harness.messages.shown.front();
        QCOMPARE(shown.kind, RecordingMessageBoxes::Kind::Critical);
        QVERIFY2(shown.text.contains(harness.PathOf("locs.dat")), qPrintable(shown.text));
        QVERIFY2(shown.text.contains("folder"), qPrintable(shown.text));
        QVERIFY(shown.text.contains("will now close"));
        QCOMPARE(EntriesOf(harness.directory.path()), before);
        QVERIFY(QFileInfo(harness.PathOf("locs.dat")).isDir());
        if (withBackup) {
            QCOMPARE(ReadWholeFile(harness.PathOf("locs.bak")), FileText(FivePlaces()));
        }
        QVERIFY(harness.settings.writes.empty());
    }

    // Positions in the list are 16-bit: a file of 100,000 places is refused whole, never cut
    // down to what fits and written back without the rest.
    void hundredThousandPlacesAreRefusedAndTheFileKept() {
        WindowHarness harness;
        const std::string text = ManyPlacesText(100000);
        WriteWholeFile(harness.PathOf("locs.dat"), text);
        QElapsedTimer timer;
        timer.start();
        fMain window(harness.Services());
        QVERIFY(!window.Form_Load());
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        const auto& shown = harness.messages.shown.front();
        QCOMPARE(shown.kind, RecordingMessageBoxes::Kind::Critical);
        QVERIFY2(shown.text.contains(harness.PathOf("locs.dat")), qPrintable(shown.text));
        QVERIFY2(shown.text.contains("32767 places"), qPrintable(shown.text));
        QVERIFY(ReadWholeFile(harness.PathOf("locs.dat")) == text);
        QCOMPARE(EntriesOf(harness.directory.path()), QStringList({"locs.dat"}));
        QVERIFY(harness.settings.writes.empty());
    }

    void fullListRefusesAnotherPlaceBeforeTheFormOpens() {
        WindowHarness harness;
        WriteWholeFile(harness.PathOf("locs.dat"), ManyPlacesText(32767));
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(Ui(*window).cboPlaces->count(), 32767);
        Ui(*window).cboPlaces->setCurrentIndex(32766);  // the last position is reachable
        QCOMPARE(window->Places().LocationIndex, std::int16_t{32766});
        Ui(*window).miAddEditDel[0]->trigger();
        QVERIFY(harness.formCalls.empty());
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        QCOMPARE(harness.messages.shown.front().title, QString("Add Location"));
        QVERIFY(harness.messages.shown.front().text.contains("32767"));
        QCOMPARE(window->Places().Locations.size(), std::size_t{32767});
    }

    void megabyteLineLoadsTheWindowWorksAndNothingIsLost() {
        WindowHarness harness;
        const std::string huge =
            Record(true, "Aaa", "Huge", "+48 51", "+2 21", "+1") + std::string(1024 * 1024, 'x');
        std::vector<std::string> places = FivePlaces();
        places.insert(places.begin(), huge);  // "0Aaa" sorts first
        harness.WritePlaces(places);
        QElapsedTimer timer;
        timer.start();
        auto window = harness.Open();
        QVERIFY(window);
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(Ui(*window).cboPlaces->count(), 6);
        QCOMPARE(Ui(*window).cboPlaces->currentText(), QString("Aaa (Huge)"));
        // The line is a place with junk after its zone: it computes like any other.
        QVERIFY(harness.messages.shown.empty());
        QCOMPARE(window->Table().rows.size(), std::size_t{30});
        Ui(*window).cboPlaces->setCurrentIndex(3);
        Ui(*window).cmdCalc->click();
        QCOMPARE(Ui(*window).arvReport->ReportSource()->Caption("lblPageHeader"),
                 std::string("Quintrel For New Zealand (Christchurch) for June 2026"));
        window->show();
        window->close();
        QVERIFY(harness.messages.shown.empty());
        // Nothing was changed, so nothing was written.
        QVERIFY(ReadWholeFile(harness.PathOf("locs.dat")) == FileText(places));
        QVERIFY(!QFile::exists(harness.PathOf("locs.bak")));
    }

    // Country and town fields that between them hold every byte value, in rising order,
    // but LF and CR, which end a line wherever they are.
    void everyByteInNamesIsShownDescribedAndSavedByteForByte() {
        std::string bytes;
        for (int value = 0; value < 256; ++value) {
            bytes += value == '\n' || value == '\r' ? ' ' : static_cast<char>(value);
        }
        std::vector<std::string> places;
        for (std::size_t at = 0; at < bytes.size(); at += kCountryWidth + kTownWidth) {
            std::string record =
                Record(false, "", "", "-33 52", "+151 13", "+10");  // blank names for now
            const std::string names = bytes.substr(at, kCountryWidth + kTownWidth);
            record.replace(1, names.size(), names);
            places.push_back(record);
        }
        WindowHarness harness;
        harness.WritePlaces(places);
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(Ui(*window).cboPlaces->count(), int(places.size()));
        for (int i = 0; i < Ui(*window).cboPlaces->count(); ++i) {
            const std::string& record = places[std::size_t(i)];
            const QString expected =
                QString::fromStdString(Cp1252ToUtf8(LocationDisplayText(record)));
            QCOMPARE(Ui(*window).cboPlaces->itemText(i), expected);
            Ui(*window).cboPlaces->setCurrentIndex(i);
            Ui(*window).cmdCalc->click();
            QVERIFY(harness.messages.shown.empty());
            const arReport* report = Ui(*window).arvReport->ReportSource();
            QVERIFY(report);
            QCOMPARE(QString::fromStdString(report->Caption("lblPageHeader")),
                     "Quintrel For " + expected + " for June 2026");
        }
        // The characters go back to the same bytes when the list is written.
        QCOMPARE(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes);
        window->show();
        window->close();
        QVERIFY(ReadWholeFile(harness.PathOf("locs.dat")) == FileText(places));
    }

    // Opening such a place in the location window and pressing OK gives its bytes back.
    void everyByteInNamesSurvivesTheLocationWindowUnchanged() {
        for (std::size_t at = 0; at < 256; at += kCountryWidth + kTownWidth) {
            std::string record = Record(false, "", "", "-33 52", "+151 13", "+10");
            for (std::size_t i = 0; i < kCountryWidth + kTownWidth && at + i < 256; ++i) {
                record[1 + i] = static_cast<char>(at + i);
            }
            dlgLocations dialog;
            QTimer::singleShot(0, &dialog, [&dialog] { dialog.cmdOK_Click(); });
            std::string edited = record;
            QVERIFY(dialog.FormSetup(edited, 0));
            // The window puts names into proper case (Jklm, not JKLM) as it always does;
            // apart from that every byte comes back as it was.
            const auto folded = [](const std::string& bytes) {
                return QString::fromStdString(Cp1252ToUtf8(bytes)).toCaseFolded();
            };
            QCOMPARE(edited.size(), record.size());
            QCOMPARE(folded(edited), folded(record));
        }
    }

    void garbageSettingsFileStartsWithDefaults_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("place");

        std::mt19937 random(8);
        QByteArray junk;
        for (int i = 0; i < 64 * 1024; ++i) {
            junk += char(random() % 256);
        }
        // Junk without line breaks stays within its own line of the section.
        QByteArray oneLine = junk.left(4000);
        oneLine.replace('\n', ' ').replace('\r', ' ');
        QTest::newRow("binary junk") << junk << 6 << 2026 << -1 << -1 << 0;
        QTest::newRow("binary junk inside the section")
            << QByteArray("[Pellmark]\nMonth=" + oneLine + "\nYear=2010\n") << 6 << 2010 << -1 << -1
            << 0;
        QTest::newRow("huge values")
            << QByteArray(
                   "[Pellmark]\nMonth=99999999999999999999999\nYear=1e308\n"
                   "Index=-40000\nWidth=99999999999\nHeight=-1e400\nTides=" +
                   QByteArray(1024 * 1024, 'x') + "\n")
            << 6 << 2026 << -1 << -1 << 0;
        QTest::newRow("largest sizes")
            << QByteArray("[Pellmark]\nWidth=2147483647\nHeight=2147483647\n") << 6 << 2026 << -1
            << -1 << 0;
        QTest::newRow("broken syntax")
            << QByteArray(
                   "[Pellmark\nMonth==3\n[[]]\nYear\n=5\nIndex=\"4\nWidth=12000\\\n"
                   "[Pellmark]\nHeight\nWidth=,,,\nMonth=3;4\n")
            << 6 << 2026 << -1 << -1 << 0;
        QTest::newRow("typed values")
            << QByteArray(
                   "[Pellmark]\nMonth=@Rect(1 2 3 4)\nYear=@Size(2010 1)\n"
                   "Index=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x3Foo)\n"
                   "Width=@ByteArray(\\xff\\xfe)\nHeight=@Variant(\\0\\0\\0\\f\\x7f\\xff\\xff\\xff)"
                   "\nTides=@Invalid()\n")
            << 6 << 2026 << -1 << -1 << 0;
        QTest::newRow("good keys among bad ones")
            << QByteArray(
                   "\x01\x02junk\n[Pellmark]\nMonth=3\nYear=abc\nIndex=2\nWidth=12000\n"
                   "Height=\xff\xff\n\x00\x00garbage")
            << 3 << 2026 << 12000 << -1 << 2;
    }
    void garbageSettingsFileStartsWithDefaults() {
        QFETCH(QByteArray, ini);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, place);
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        const QString iniPath = harness.PathOf("settings.ini");
        WriteWholeFile(iniPath, ini.toStdString());
        QtSettingsStore store(iniPath);
        MainWindowServices services = harness.Services();
        services.settings = &store;

        fMain window(services);
        QVERIFY(window.Form_Load());
        QVERIFY(harness.messages.shown.empty());
        QCOMPARE(int(window.State().CurrentMonth), month);
        QCOMPARE(Ui(window).cboMonth->currentIndex(), month - 1);
        QCOMPARE(int(window.State().CurrentYear), year);
        // -1: not saved (or unusable), so the first run's size.
        QCOMPARE(window.OuterWidthTwips(), width < 0 ? FirstRun().WindowWidth : width);
        QCOMPARE(window.OuterHeightTwips(), height < 0 ? FirstRun().WindowHeight : height);
        QCOMPARE(Ui(window).cboPlaces->currentIndex(), place);
        QCOMPARE(window.Table().rows.empty(), false);

        // Close-down writes values that read back as themselves.
        window.show();
        window.close();
        QtSettingsStore reread(iniPath);
        QCOMPARE(reread.Read("Varnel", "Pellmark", "Month", ""), std::to_string(month));
        QCOMPARE(reread.Read("Varnel", "Pellmark", "Year", ""), std::to_string(year));
        QCOMPARE(reread.Read("Varnel", "Pellmark", "Index", ""), std::to_string(place));
    }

    void fullDiskDuringCsvExportKeepsTheOldFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath("june.csv");
        const std::string old = "the export of last June\r\n";
        WriteWholeFile(path, old);
        ScriptedSaveFileDialog dialog;
        dialog.script.push_back(path);
        RecordingMessageBoxes messages;
        const std::string csv(64 * 1024, 'c');

        ExportOutcome outcome;
        {
            const FileSizeLimit full(4096);
            outcome = ExportCsv(dialog, messages, csv);
        }
        QCOMPARE(outcome, ExportOutcome::Failed);
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QCOMPARE(messages.shown[0].title, QString("Export Error"));
        QCOMPARE(messages.shown[0].text, ExportErrorText(path));
        QCOMPARE(ReadWholeFile(path), old);
        QCOMPARE(EntriesOf(folder.path()), QStringList({"june.csv"}));

        // With room again the same export replaces the old file.
        dialog.script.push_back(path);
        QCOMPARE(ExportCsv(dialog, messages, csv), ExportOutcome::Written);
        QVERIFY(ReadWholeFile(path) == csv);
    }

    // A folder that refuses new files cannot take the temporary file, so the export fails
    // as a whole: rewriting the old file in place could lose it to a full disk.
    void fullDiskWhileRewritingInPlaceIsReported_data() {
        QTest::addColumn<QString>("tool");
        QTest::newRow("csv") << "CSV Export";
        QTest::newRow("pdf") << "PDF Export";
    }
    void fullDiskWhileRewritingInPlaceIsReported() {
        QFETCH(QString, tool);
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        QTemporaryDir folder;
        const QString path = folder.filePath("june.export");
        WriteWholeFile(path, "the export of last June\r\n");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadOther | QFileDevice::WriteOther));
        harness.saveDialog.script.push_back(path);
        QAction* action = Tool(*window, tool);
        QVERIFY(action);
        QVERIFY(RunWithoutWriteAccess(folder.path(), [&] {
            const FileSizeLimit full(1000);  // less than a month's CSV text
            action->trigger();
        }));
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        QCOMPARE(harness.messages.shown[0].title, QString("Export Error"));
        QCOMPARE(EntriesOf(folder.path()), QStringList({"june.export"}));
        QCOMPARE(ReadWholeFile(path), std::string("the export of last June\r\n"));
    }

    void fullDiskDuringPdfExportKeepsTheOldFile() {
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        const QString path = harness.PathOf("june.pdf");
        const std::string old = "%PDF-1.4 the report of last June\n";
        WriteWholeFile(path, old);
        harness.saveDialog.script.push_back(path);
        QAction* tool = Tool(*window, "PDF Export");
        QVERIFY(tool);
        {
            const FileSizeLimit full(4096);
            tool->trigger();
        }
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        QCOMPARE(harness.messages.shown[0].title, QString("Export Error"));
        QCOMPARE(harness.messages.shown[0].text, ExportErrorText(path));
        QCOMPARE(ReadWholeFile(path), old);
        QCOMPARE(EntriesOf(harness.directory.path()), QStringList({"june.pdf", "locs.dat"}));
    }
};

QTEST_MAIN(FaultsTest)
#include "FaultsTest.moc"
