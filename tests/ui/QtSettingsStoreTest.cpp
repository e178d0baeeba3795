// The settings store on disk: what the program saves reads back exactly.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include "appcore/Settings.h"
#include "astro/CoreError.h"
#include "locations/FileIo.h"
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
            // Nothing reaches the file before the close-down's one Commit.
            QVERIFY(!QFile::exists(iniPath));
            QCOMPARE(store.Read("Varnel", "Pellmark", "Index", ""), std::string("4"));
            store.Commit();
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

    // A value stored by another program since this one read the file is kept.
    void commitKeepsWhatAnotherProgramStored() {
        QTemporaryDir folder;
        const QString iniPath = folder.filePath("Varnel.ini");
        QtSettingsStore mine(iniPath);
        QCOMPARE(mine.Read("Varnel", "Pellmark", "Month", "6"), std::string("6"));
        {
            QtSettingsStore other(iniPath);
            other.Write("Varnel", "Planner", "Months", "3");
            other.Commit();
        }
        mine.Write("Varnel", "Pellmark", "Month", "9");
        mine.Commit();
        QtSettingsStore reread(iniPath);
        QCOMPARE(reread.Read("Varnel", "Planner", "Months", ""), std::string("3"));
        QCOMPARE(reread.Read("Varnel", "Pellmark", "Month", ""), std::string("9"));
    }

    // The settings file follows the place file's rules: written through a link to a
    // plain file, and never replaced where that would be wrong. Each refusal throws with
    // the path and leaves the file (or device) as it was.
    void commitFollowsThePlaceFileRules_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a plain file") << "link";
        QTest::newRow("read-only file") << "read-only";
        QTest::newRow("hard-linked file") << "hard link";
        QTest::newRow("link to a named pipe") << "pipe";
        QTest::newRow("link to a device") << "device";
    }
    void commitFollowsThePlaceFileRules() {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const std::string iniPath = folder.filePath("Varnel.ini").toStdString();
        const std::string target = folder.filePath("elsewhere").toStdString();
        const std::string old = "[Pellmark]\nMonth=3\n";
        if (kind == "pipe") {
            QCOMPARE(::mkfifo(target.c_str(), 0600), 0);
        } else if (kind == "device") {
            // A device node of our own (the null device's numbers), never the system's.
            if (::mknod(target.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0) {
                QSKIP("making a device node needs the superuser");
            }
        } else {
            WriteFileAtomically(target, old);
        }
        if (kind == "read-only") {
            std::filesystem::rename(target, iniPath);
            ::chmod(iniPath.c_str(), 0444);
        } else if (kind == "hard link") {
            std::filesystem::create_hard_link(target, iniPath);
        } else {
            std::filesystem::create_symlink(target, iniPath);
        }
        const std::string checked = kind == "read-only" ? iniPath : target;
        struct stat before {};
        QCOMPARE(::stat(checked.c_str(), &before), 0);

        QtSettingsStore store(QString::fromStdString(iniPath));
        store.Write("Varnel", "Pellmark", "Month", "11");
        if (kind == "link") {
            store.Commit();
            QVERIFY(std::filesystem::is_symlink(iniPath));
            QtSettingsStore reread(QString::fromStdString(target));
            QCOMPARE(reread.Read("Varnel", "Pellmark", "Month", ""), std::string("11"));
            return;
        }
        try {
            store.Commit();
            QFAIL("the commit was not refused");
        } catch (const CoreError& error) {
            QVERIFY2(std::string(error.what()).find(iniPath) != std::string::npos, error.what());
        }
        struct stat after {};
        QCOMPARE(::stat(checked.c_str(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        if (kind == "read-only" || kind == "hard link") {
            QCOMPARE(ReadWholeFile(checked), old);
        }
    }
};

QTEST_MAIN(QtSettingsStoreTest)
#include "QtSettingsStoreTest.moc"
