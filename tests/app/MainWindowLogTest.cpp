// The log window's wiring: the main window's button opens it on the log beside the place
// list, the forms store what is typed (in the user's units), delete asks and undo brings
// the entries back, the filter narrows the list, the charts show the log's counts, and a
// damaged log is refused and kept. The log's rules are tested in the core.

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

#include "locations/Encoding.h"
#include "log/LogFiles.h"
#include "tests/app/MainWindowHarness.h"
#include "ui/dlgLog.h"
#include "ui/dlgLogCatch.h"
#include "ui/dlgLogCharts.h"
#include "ui/dlgLogOuting.h"

namespace quintrel::testing {

using namespace logbook;

namespace {

/// Fills the modal form that the next click opens, then presses OK.
template <typename Form>
void AnswerForm(const std::function<void(Form&)>& fill) {
    QTimer::singleShot(0, [fill] {
        auto* form = qobject_cast<Form*>(QApplication::activeModalWidget());
        QVERIFY(form != nullptr);
        fill(*form);
        form->accept();
    });
}

void Type(QWidget& form, const char* name, const QString& text) {
    auto* box = form.findChild<QLineEdit*>(name);
    QVERIFY(box != nullptr);
    box->setText(text);
}

}  // namespace

class MainWindowLogTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness harness;
    std::unique_ptr<fMain> window;

    dlgLog* OpenLog() {
        window->findChild<QPushButton*>("cmdLog")->click();
        return window->LogWindow();
    }
    std::string PlaceRecord(int index) const {
        return Cp1252ToUtf8(FivePlaces()[static_cast<std::size_t>(index)]);
    }
    /// Outings at Sydney on consecutive days of March 2026, one catch of `species` each.
    void AddOutings(dlgLog& log, int count, const std::string& species, OutingKind kind) {
        for (int day = 1; day <= count; ++day) {
            Outing outing;
            outing.date =
                QStringLiteral("2026-03-%1").arg(day, 2, 10, QLatin1Char('0')).toStdString();
            outing.start = "06:00";
            outing.end = "10:00";
            outing.record = PlaceRecord(0);
            outing.kind = kind;
            Catch entry;
            entry.outingId = log.Database().AddOuting(outing);
            entry.time = "07:30";
            entry.species = species;
            log.Database().AddCatch(entry);
        }
        log.ApplyFilter();
    }

  private slots:
    void init() {
        harness.settings = MemorySettingsStore();
        harness.messages.shown.clear();
        harness.messages.answers.clear();
        harness.WritePlaces(FivePlaces());
        for (const char* name : {"log.sqlite", "log.sqlite-wal", "log.sqlite-shm"}) {
            QFile::remove(harness.PathOf(name));
        }
        QDir(harness.PathOf("log-backups")).removeRecursively();
        window = harness.Open();
        QVERIFY(window != nullptr);
    }
    void cleanup() {
        if (window->LogWindow() != nullptr) {
            delete window->LogWindow();
        }
        window.reset();
    }

    void button_opens_the_log_and_forms_store_outing_and_catch() {
        dlgLog* log = OpenLog();
        QVERIFY(log != nullptr && log->isVisible());
        QCOMPARE(log->Database().Path(), harness.PathOf("log.sqlite").toStdString());

        AnswerForm<dlgLogOuting>([](dlgLogOuting& form) {
            form.findChild<QDateEdit*>("dtpDate")->setDate(QDate(2026, 4, 12));
            Type(form, "txtStart", "05:30");
            Type(form, "txtEnd", "11:00");
        });
        log->findChild<QPushButton*>("cmdAddOuting")->click();
        const std::vector<OutingEntries> outings = log->Database().Entries();
        QCOMPARE(outings.size(), std::size_t{1});
        QCOMPARE(outings[0].outing.date, std::string("2026-04-12"));
        QCOMPARE(outings[0].outing.start, std::string("05:30"));
        QCOMPARE(outings[0].outing.record, PlaceRecord(0));
        QCOMPARE(log->ChosenOuting(), outings[0].outing.id);

        // Lengths typed in inches and weights in pounds are kept in cm and kg.
        log->findChild<QComboBox*>("cboLengthUnit")->setCurrentIndex(1);
        log->findChild<QComboBox*>("cboWeightUnit")->setCurrentIndex(1);
        AnswerForm<dlgLogCatch>([](dlgLogCatch& form) {
            Type(form, "txtTime", "07:15");
            Type(form, "txtSpecies", "Snapper");
            form.findChild<QSpinBox*>("spnCount")->setValue(2);
            Type(form, "txtLength", "12");
            Type(form, "txtWeight", "2");
        });
        log->findChild<QPushButton*>("cmdAddCatch")->click();
        const std::vector<Catch> catches = log->Database().CatchesOf(outings[0].outing.id);
        QCOMPARE(catches.size(), std::size_t{1});
        QCOMPARE(catches[0].species, std::string("Snapper"));
        QCOMPARE(catches[0].count, 2);
        QCOMPARE(*catches[0].lengthCm, 12 * 2.54);
        QCOMPARE(*catches[0].weightKg, 2 * 0.45359237);
        QCOMPARE(harness.settings.values.at({"Varnel", "Log", "LengthUnit"}), std::string("in"));
        QCOMPARE(log->findChild<QTableView*>("lstCatches")->model()->rowCount(), 1);
    }

    void delete_asks_and_undo_brings_the_outing_back() {
        dlgLog* log = OpenLog();
        AddOutings(*log, 2, "Bream", OutingKind::Fishing);
        log->ChooseOuting(0);
        const std::int64_t id = log->ChosenOuting();
        const std::vector<Catch> catches = log->Database().CatchesOf(id);

        harness.messages.answers = {false};
        log->findChild<QPushButton*>("cmdDeleteOuting")->click();
        QCOMPARE(log->Database().Totals().outings, 2);
        log->findChild<QPushButton*>("cmdDeleteOuting")->click();
        QCOMPARE(log->Database().Totals().outings, 1);
        QVERIFY(!log->Database().FindOuting(id));

        log->findChild<QPushButton*>("cmdUndo")->click();
        QCOMPARE(log->Database().Totals().outings, 2);
        QCOMPARE(log->Database().CatchesOf(id), catches);
        QCOMPARE(log->ChosenOuting(), id);
        QVERIFY(!log->findChild<QPushButton*>("cmdUndo")->isEnabled());
    }

    // Dates typed as they are written, and places found by part of their name.
    void outing_form_takes_dates_and_places_as_typed() {
        const std::vector<std::string> records = {PlaceRecord(0), PlaceRecord(4)};
        dlgLogOuting form(Outing{}, records, harness.messages);
        auto* date = form.findChild<QDateEdit*>("dtpDate");
        const std::pair<const char*, QDate> dates[] = {{"2026-11-01", QDate(2026, 11, 1)},
                                                       {"2025-3-7", QDate(2025, 3, 7)},
                                                       {"20261224", QDate(2026, 12, 24)}};
        for (const auto& [typed, expected] : dates) {
            date->setDate(QDate(2020, 1, 15));
            date->setSelectedSection(QDateTimeEdit::YearSection);
            QTest::keyClicks(date, QString::fromLatin1(typed));
            QCOMPARE(date->date(), expected);
        }
        auto* place = form.findChild<QComboBox*>("cboPlace");
        const std::pair<const char*, std::string> places[] = {
            {"usa (BOSTON)", PlaceRecord(4)},
            {"Australia (Sydney)", PlaceRecord(0)},
            {"Atlantis", std::string()}};
        for (const auto& [typed, record] : places) {
            place->setEditText(QString::fromLatin1(typed));
            QCOMPARE(form.Value().record, record);
        }
    }

    void filter_narrows_the_list() {
        dlgLog* log = OpenLog();
        AddOutings(*log, 3, "Bream", OutingKind::Fishing);
        AddOutings(*log, 2, "Deer", OutingKind::Hunting);
        auto* list = log->findChild<QTableView*>("lstOutings");
        QCOMPARE(list->model()->rowCount(), 5);
        log->findChild<QComboBox*>("cboFilterKind")->setCurrentIndex(2);
        log->findChild<QPushButton*>("cmdFilter")->click();
        QCOMPARE(list->model()->rowCount(), 2);
        log->findChild<QComboBox*>("cboFilterKind")->setCurrentIndex(0);
        log->findChild<QLineEdit*>("txtFilterSpecies")->setText("brea");
        log->findChild<QLineEdit*>("txtFilterTo")->setText("2026-03-02");
        log->findChild<QPushButton*>("cmdFilter")->click();
        QCOMPARE(list->model()->rowCount(), 2);
        log->findChild<QPushButton*>("cmdFilterClear")->click();
        QCOMPARE(list->model()->rowCount(), 5);
    }

    void charts_show_the_counts_or_say_there_are_too_few() {
        dlgLog* log = OpenLog();
        AddOutings(*log, 3, "Bream", OutingKind::Fishing);
        log->findChild<QPushButton*>("cmdCharts")->click();
        QVERIFY(log->ChartsWindow() != nullptr);
        QVERIFY(log->ChartsWindow()->Charts()[0] == nullptr);
        QVERIFY(log->ChartsWindow()->Summary().startsWith("Only 3 outings"));

        AddOutings(*log, 6, "Bream", OutingKind::Fishing);
        log->findChild<QPushButton*>("cmdCharts")->click();
        dlgLogCharts* charts = log->ChartsWindow();
        QVERIFY(charts->Charts()[2] != nullptr);
        QVERIFY(charts->Summary().startsWith("From 9 outings and 9 catches"));
        // Sydney has tide stations: the tide chart rests on every timed catch.
        QVERIFY(charts->Charts()[3] != nullptr);
        QVERIFY(charts->Charts()[3]->chart()->title().contains("9 catches with a time"));
        QVERIFY(charts->TideNote().isEmpty());

        // Paris has none within 100 km: no tide chart, and the window says why.
        log->findChild<QComboBox*>("cboFilterKind")->setCurrentIndex(0);
        Outing paris;
        paris.date = "2026-03-20";
        paris.record = PlaceRecord(1);
        log->Database().AddOuting(paris);
        log->findChild<QPushButton*>("cmdCharts")->click();
        QVERIFY(log->ChartsWindow()->TideNote().contains("within 100 km of France (Paris)"));
    }

    void import_takes_places_as_the_command_line_does() {
        dlgLog* log = OpenLog();
        const QString csv = harness.PathOf("season.csv");
        // Part of a name, any case, picks the one place holding it, as --place does.
        WriteWholeFile(csv,
                       "Date,Time,Place,Species\r\n2026-03-01,06:00,sydney,Bream\r\n"
                       "2026-03-02,06:00,Boston,Bass\r\n");
        harness.openDialog.script = {csv};
        log->findChild<QPushButton*>("cmdImport")->click();
        QCOMPARE(log->Database().Totals().outings, 2);
        QCOMPARE(log->Database().Entries().front().outing.record, PlaceRecord(0));
        QCOMPARE(harness.messages.shown.back().kind, RecordingMessageBoxes::Kind::Information);
        // A text several places hold is refused, naming them, and nothing is imported.
        WriteWholeFile(csv, "Date,Time,Place,Species\r\n2026-03-03,06:00,a,Bream\r\n");
        harness.openDialog.script = {csv};
        log->findChild<QPushButton*>("cmdImport")->click();
        QVERIFY(harness.messages.shown.back().text.contains("Several places match \"a\""));
        QCOMPARE(log->Database().Totals().outings, 2);
    }

    void a_damaged_log_is_refused_and_kept() {
        const std::string garbage(8192, 'x');
        WriteWholeFile(harness.PathOf("log.sqlite"), garbage);
        QVERIFY(OpenLog() == nullptr);
        QCOMPARE(harness.messages.shown.back().kind, RecordingMessageBoxes::Kind::Critical);
        QCOMPARE(ReadWholeFile(harness.PathOf("log.sqlite")), garbage);

        // With a backup, starting from it is offered; declined, the file stays as it was.
        QDir().mkpath(harness.PathOf("log-backups"));
        LogDatabase::Open(harness.PathOf("log-backups/log-2026-01-01.sqlite").toStdString(),
                          LogOpenOptions{"2026-01-01", false});
        harness.messages.answers = {false};
        QVERIFY(OpenLog() == nullptr);
        QCOMPARE(harness.messages.shown.back().kind, RecordingMessageBoxes::Kind::Question);
        QVERIFY(harness.messages.shown.back().text.contains("2026-01-01"));
        QCOMPARE(ReadWholeFile(harness.PathOf("log.sqlite")), garbage);

        // Accepted, the log starts from the backup and the damaged file is kept beside it.
        dlgLog* log = OpenLog();
        QVERIFY(log != nullptr);
        QCOMPARE(log->Database().Totals().outings, 0);
        const QStringList kept =
            QDir(harness.directory.path()).entryList({"log.damaged-*.sqlite"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(ReadWholeFile(harness.PathOf(kept.front().toLatin1().constData())), garbage);
    }
};

}  // namespace quintrel::testing

QTEST_MAIN(quintrel::testing::MainWindowLogTest)
#include "MainWindowLogTest.moc"
