#include <QTemporaryDir>
#include <QTest>

#include "app/TideLauncher.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedSaveFileDialog.h"
#include "ui/QtProgramStarter.h"

using namespace quintrel;

namespace {

class FailingStarter : public ProgramStarter {
  public:
    bool Start(const QString& path) override {
        started.push_back(path);
        return false;
    }
    QStringList started;
};

}  // namespace

class TideLauncherTest : public QObject {
    Q_OBJECT

  private slots:
    void runIsEnabledExactlyWithAPath() {
        AppState state;
        QVERIFY(!IsRunTidesEnabled(state));
        state.TidesPath = " ";
        QVERIFY(IsRunTidesEnabled(state));
    }

    void initialDirectory_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("derived");
        QTest::addColumn<QString>("folder");
        QTest::newRow("windows path") << "D:\\Tide\\WXTide32.exe" << true << "D:\\Tide";
        QTest::newRow("linux path") << "/opt/tide/WXTide32.exe" << true << "/opt/tide";
        QTest::newRow("lower case") << "/opt/tide/wxtide32.exe" << true << "/opt/tide";
        QTest::newRow("upper case") << "/opt/Tide Dir/WXTIDE32.EXE" << true << "/opt/Tide Dir";
        QTest::newRow("first occurrence") << "/a/wxtide32.exe.d/WXTide32.exe" << true << "/a";
        QTest::newRow("one character before") << "/WXTide32.exe" << true << "";
        QTest::newRow("nothing before") << "WXTide32.exe" << false << "";
        QTest::newRow("another program") << "/opt/tide/xtide" << false << "";
        QTest::newRow("empty") << "" << false << "";
    }

    void initialDirectory() {
        QFETCH(QString, stored);
        QFETCH(bool, derived);
        QFETCH(QString, folder);
        const auto result = TideInitialDirectory(stored.toStdString());
        QCOMPARE(result.has_value(), derived);
        if (derived) {
            QCOMPARE(*result, folder);
        }
    }

    void setupSetsTheDialogAndStoresTheChoice() {
        ScriptedSaveFileDialog dialog;
        dialog.InitDir = "/home/me/exports";
        dialog.FileName = "/home/me/exports/june.csv";
        dialog.ConfirmOverwrite = true;  // left by an export
        dialog.script.push_back(QString("/opt/tide/WXTide32.exe"));
        AppState state;
        state.TidesPath = "D:\\Tide\\WXTide32.exe";

        LocateTideProgram(dialog, state);
        QCOMPARE(state.TidesPath, std::string("/opt/tide/WXTide32.exe"));
        const auto& seen = dialog.seen.at(0);
        QCOMPARE(seen.initDir, QString("D:\\Tide"));
        QCOMPARE(seen.filter, QString("WXTide32 Progam File (WXTide32.exe)|WXTide32.exe"));
        QCOMPARE(seen.defaultExt, QString("WXTide32.exe"));
        QCOMPARE(seen.title, QString("Specify WXTide32 Program Location"));
        QCOMPARE(seen.fileName, QString("/home/me/exports/june.csv"));  // shared dialog
        QVERIFY(!seen.confirmOverwrite);  // choosing the program must not offer to replace it
    }

    void setupKeepsThePathWhenCancelled() {
        ScriptedSaveFileDialog dialog;
        dialog.InitDir = "/kept";
        AppState state;
        state.TidesPath = "/opt/tide/xtide";  // not WXTide32.exe: directory not derived
        dialog.script.push_back(QString());

        LocateTideProgram(dialog, state);
        QCOMPARE(state.TidesPath, std::string("/opt/tide/xtide"));
        QCOMPARE(dialog.seen.at(0).initDir, QString("/kept"));

        // A dialog that fails twice changes nothing either.
        dialog.script = {ScriptedSaveFileDialog::Fail{}, ScriptedSaveFileDialog::Fail{}};
        LocateTideProgram(dialog, state);
        QCOMPARE(state.TidesPath, std::string("/opt/tide/xtide"));
    }

    void programThatCannotStartIsReported() {
        FailingStarter starter;
        RecordingMessageBoxes messages;
        AppState state;
        state.TidesPath = "/opt/My Tides/WXTide32.exe";

        QVERIFY(!RunTideProgram(starter, messages, state));
        QCOMPARE(starter.started, QStringList{"/opt/My Tides/WXTide32.exe"});  // no quotes
        QCOMPARE(messages.shown.size(), size_t(1));
        QVERIFY(messages.shown[0].text.contains("/opt/My Tides/WXTide32.exe"));

        state.TidesPath.clear();
        QVERIFY(!RunTideProgram(starter, messages, state));
        QCOMPARE(starter.started.size(), 1);  // nothing to start
    }

    void realStarter() {
        QtProgramStarter starter;
        QVERIFY(!starter.Start("/nonexistent-quintrel-folder/WXTide32.exe"));
        QVERIFY(!starter.Start(QString()));
        QTemporaryDir folder;
        const QString program = folder.filePath("WX Tide.sh");
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntouch started\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(starter.Start(program));
        // Started detached in its own folder; wait a little for its mark.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath("started")), 5000);
    }
};

QTEST_MAIN(TideLauncherTest)
#include "TideLauncherTest.moc"
