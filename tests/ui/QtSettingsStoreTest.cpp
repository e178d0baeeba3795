// The settings store on disk: what the program saves reads back exactly.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "appcore/Settings.h"
#include "ui/QtSettingsStore.h"

using namespace quintrel;

class QtSettingsStoreTest : public QObject {
    Q_OBJECT

  private slots:
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

QTEST_MAIN(QtSettingsStoreTest)
#include "QtSettingsStoreTest.moc"
