#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/Settings.h"
#include "support/MemorySettingsStore.h"
#include "ui/QtSettingsStore.h"

using namespace quintrel;

class SettingsTest : public QObject {
    Q_OBJECT

  private slots:
    void emptyStoreGivesDefaultsAndWritesThemBack() {
        MemorySettingsStore store;
        AppState state;
        state.CurrentMonth = 1;
        state.CurrentYear = 1;
        state.WindowWidth = 1;
        state.WindowHeight = 1;
        state.TidesPath = "old";
        std::int16_t index = 99;

        LoadSettings(store, state, index);
        QCOMPARE(state.CurrentMonth, 6);
        QCOMPARE(state.CurrentYear, 2002);
        QCOMPARE(index, -1);
        QCOMPARE(state.WindowWidth, 9300);
        QCOMPARE(state.WindowHeight, 4305);
        QCOMPARE(state.TidesPath, std::string());
        QVERIFY(store.empty());  // reading never creates keys

        SaveSettings(store, state, 0);
        QCOMPARE(store.Get("Month"), std::string("6"));
        QCOMPARE(store.Get("Year"), std::string("2002"));
        QCOMPARE(store.Get("Index"), std::string("0"));
        QCOMPARE(store.Get("Height"), std::string("4305"));
        QCOMPARE(store.Get("Width"), std::string("9300"));
        QCOMPARE(store.Get("Tides"), std::string());
    }

    void readsAndWritesInTheirOwnOrders() {
        MemorySettingsStore store;
        AppState state;
        std::int16_t index = 0;
        LoadSettings(store, state, index);
        const std::vector<std::string> readOrder{"Month", "Year",   "Index",
                                                 "Width", "Height", "Tides"};
        QCOMPARE(store.reads, readOrder);

        SaveSettings(store, state, -1);
        std::vector<std::string> writeOrder;
        for (const auto& write : store.writes) {
            QCOMPARE(write.application, std::string("Varnel"));
            QCOMPARE(write.section, std::string("Pellmark"));
            writeOrder.push_back(write.key);
        }
        const std::vector<std::string> expected{"Month",  "Year",  "Index",
                                                "Height", "Width", "Tides"};
        QCOMPARE(writeOrder, expected);
        QCOMPARE(store.Get("Index"), std::string("-1"));
    }

    void storedNumbers_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<qint64>("expected");

        QTest::newRow("month plain") << "Month"
                                     << "3" << qint64(3);
        QTest::newRow("month with blanks") << "Month"
                                           << "  11 " << qint64(11);
        QTest::newRow("month half to even down") << "Month"
                                                 << "2.5" << qint64(2);
        QTest::newRow("month half to even up") << "Month"
                                               << "3.5" << qint64(4);
        QTest::newRow("month not a number") << "Month"
                                            << "abc" << qint64(6);
        QTest::newRow("month beyond 16 bits") << "Month"
                                              << "99999" << qint64(6);
        QTest::newRow("month 13 selects nothing") << "Month"
                                                  << "13" << qint64(6);
        QTest::newRow("month 0 selects nothing") << "Month"
                                                 << "0" << qint64(6);
        QTest::newRow("month empty text") << "Month"
                                          << "" << qint64(6);
        QTest::newRow("year plain") << "Year"
                                    << "2003" << qint64(2003);
        QTest::newRow("year old is kept") << "Year"
                                          << "1900" << qint64(1900);
        QTest::newRow("year at 16-bit top") << "Year"
                                            << "32767" << qint64(32767);
        QTest::newRow("year beyond 16 bits") << "Year"
                                             << "32768" << qint64(2002);
        QTest::newRow("year garbage tail") << "Year"
                                           << "2003x" << qint64(2002);
        QTest::newRow("index none") << "Index"
                                    << "-1" << qint64(-1);
        QTest::newRow("index seven") << "Index"
                                     << "7" << qint64(7);
        QTest::newRow("index below none") << "Index"
                                          << "-5" << qint64(-1);
        QTest::newRow("index half to even") << "Index"
                                            << "0.5" << qint64(0);
        QTest::newRow("width small is kept") << "Width"
                                             << "100" << qint64(100);
        QTest::newRow("width large") << "Width"
                                     << "40000" << qint64(40000);
        QTest::newRow("width beyond 32 bits") << "Width"
                                              << "3000000000" << qint64(9300);
        QTest::newRow("width not a number") << "Width"
                                            << "wide" << qint64(9300);
        QTest::newRow("height tab blanks") << "Height"
                                           << "\t5000\t" << qint64(5000);
        QTest::newRow("height infinite") << "Height"
                                         << "inf" << qint64(4305);
        QTest::newRow("height half to even") << "Height"
                                             << "4306.5" << qint64(4306);
    }

    void storedNumbers() {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(qint64, expected);
        MemorySettingsStore store;
        store.Set(key.toStdString(), stored.toStdString());
        AppState state;
        std::int16_t index = 0;
        LoadSettings(store, state, index);
        const qint64 actual = key == "Month"   ? state.CurrentMonth
                              : key == "Year"  ? state.CurrentYear
                              : key == "Index" ? index
                              : key == "Width" ? state.WindowWidth
                                               : state.WindowHeight;
        QCOMPARE(actual, expected);
    }

    void tidesPathIsTakenAsItIs() {
        MemorySettingsStore store;
        store.Set("Tides", " C:\\Program Files\\WXTide32\\WXTide32.exe ");
        AppState state;
        std::int16_t index = 0;
        LoadSettings(store, state, index);
        QCOMPARE(state.TidesPath, std::string(" C:\\Program Files\\WXTide32\\WXTide32.exe "));
    }

    // The real store: values land under [Pellmark] and read back exactly, whatever
    // characters a path holds.
    void iniStoreRoundTrip() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString iniPath = folder.filePath("Varnel.ini");
        AppState written;
        written.CurrentMonth = 12;
        written.CurrentYear = 2026;
        written.WindowWidth = 12000;
        written.WindowHeight = 6000;
        written.TidesPath = "/opt/tide, \"new\"/Wx Tide=32\\WXTide32.exe";
        {
            QtSettingsStore store(iniPath);
            SaveSettings(store, written, 4);
        }
        {
            QSettings raw(iniPath, QSettings::IniFormat);
            QCOMPARE(raw.childGroups(), QStringList{"Pellmark"});
            QCOMPARE(raw.value("Pellmark/Month").toString(), QString("12"));
            QCOMPARE(raw.value("Pellmark/Index").toString(), QString("4"));
        }
        QtSettingsStore store(iniPath);
        AppState read;
        std::int16_t index = 0;
        LoadSettings(store, read, index);
        QCOMPARE(read.CurrentMonth, 12);
        QCOMPARE(read.CurrentYear, 2026);
        QCOMPARE(index, 4);
        QCOMPARE(read.WindowWidth, 12000);
        QCOMPARE(read.WindowHeight, 6000);
        QCOMPARE(read.TidesPath, written.TidesPath);
        QCOMPARE(store.Read("Varnel", "Pellmark", "Missing", "fallback"), std::string("fallback"));
    }
};

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
