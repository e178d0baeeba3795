#include <QTemporaryDir>
#include <QTest>

#include "app/TideLauncher.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedOpenFileDialog.h"
#include "ui/QtProgramStarter.h"

using namespace quintrel;

namespace {

class FailingStarter : public ProgramStarter {
  public:
    bool Start(const QString& program, const QStringList& arguments) override {
        started.push_back(arguments.isEmpty() ? program : arguments.last());
        return false;
    }
    bool IsInstalled(const QString& name) override { return name == "wine" && wine; }
    QStringList started;
    bool wine = true;
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
        QTest::newRow("last separator")
            << "/a/wxtide32.exe.d/WXTide32.exe" << true << "/a/wxtide32.exe.d";
        QTest::newRow("in the root") << "/WXTide32.exe" << true << "";
        QTest::newRow("bare name") << "WXTide32.exe" << false << "";
        QTest::newRow("another program") << "/opt/tide/xtide" << true << "/opt/tide";
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
        ScriptedOpenFileDialog dialog;
        dialog.script.push_back(QString("/opt/tide/WXTide32.exe"));
        AppState state;
        state.TidesPath = "D:\\Tide\\WXTide32.exe";

        RecordingMessageBoxes messages;
        LocateTideProgram(dialog, messages, state);
        QCOMPARE(state.TidesPath, std::string("/opt/tide/WXTide32.exe"));
        const auto& seen = dialog.seen.at(0);
        QCOMPARE(seen.initDir, QString("D:\\Tide"));
        QCOMPARE(seen.filter, QString("WXTide32 Progam File (WXTide32.exe)|WXTide32.exe|"
                                      "Any tide program (*)|*"));
        QCOMPARE(seen.filterIndex, 0);  // a Windows program: its own entry first
        QCOMPARE(seen.title, QString("Specify WXTide32 Program Location"));
        QCOMPARE(seen.fileName, QString("WXTide32.exe"));
        QVERIFY(messages.shown.empty());
    }

    void setupStoresAProgramOfThisSystemAsChosen() {
        // /usr/bin/xmessage once came back as /usr/bin/xmessage.exe from the save dialog.
        QTemporaryDir folder;
        const QString program = folder.filePath("xmessage");
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ScriptedOpenFileDialog dialog;
        dialog.script.push_back(program);
        RecordingMessageBoxes messages;
        AppState state;
        LocateTideProgram(dialog, messages, state);
        QCOMPARE(state.TidesPath, program.toStdString());
        QCOMPARE(dialog.seen.at(0).filterIndex, 1);  // nothing stored: any program shows
        QCOMPARE(dialog.seen.at(0).fileName, QString());
    }

    void setupAcceptsProgramsOnlyAndKeepsThePathOtherwise_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("an export") << "june.csv" << false << false;
        QTest::newRow("a program of this system") << "xtide" << true << true;
        QTest::newRow("a Windows program, any case") << "TIDES.EXE" << false << true;
        QTest::newRow("a plain file without the program mark") << "xtide" << false << false;
    }
    void setupAcceptsProgramsOnlyAndKeepsThePathOtherwise() {
        QFETCH(QString, name);
        QFETCH(bool, executable);
        QFETCH(bool, accepted);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        if (executable) {
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        ScriptedOpenFileDialog dialog;
        dialog.script.push_back(path);
        RecordingMessageBoxes messages;
        AppState state;
        state.TidesPath = "/opt/tide/WXTide32.exe";
        LocateTideProgram(dialog, messages, state);
        QCOMPARE(state.TidesPath, accepted ? path.toStdString() : "/opt/tide/WXTide32.exe");
        QCOMPARE(messages.shown.size(), std::size_t{accepted ? 0u : 1u});
    }

    void setupKeepsThePathWhenCancelled() {
        ScriptedOpenFileDialog dialog;
        dialog.InitDir = "/kept";
        AppState state;
        state.TidesPath = "/opt/tide/xtide";
        dialog.script.push_back(QString());

        RecordingMessageBoxes messages;
        LocateTideProgram(dialog, messages, state);
        QCOMPARE(state.TidesPath, std::string("/opt/tide/xtide"));
        QCOMPARE(dialog.seen.at(0).initDir, QString("/opt/tide"));
        QCOMPARE(dialog.seen.at(0).fileName, QString("xtide"));
        QCOMPARE(dialog.seen.at(0).filterIndex, 1);
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
        QVERIFY(messages.shown[0].text.contains("The file does not exist."));

        // Without wine a Windows program is not tried; the message says what to install.
        starter.wine = false;
        QVERIFY(!RunTideProgram(starter, messages, state));
        QCOMPARE(starter.started.size(), 1);
        QVERIFY(messages.shown[1].text.contains("sudo apt install wine"));

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
