#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "astro/CoreError.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedSaveFileDialog.h"
#include "ui/Exports.h"

using namespace quintrel;

namespace {

const std::string kCsv = "Quintrel (Version " QUINTREL_PROJECT_VERSION
                         ") Data Extract done at 14:05:09 on 06/12/2026\r\n"
                         "Date,Day,Sun Rise\r\n20040101,Thursday,05:58\r\n";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<unreadable>";
    }
    return file.readAll();
}

}  // namespace

class ExportsTest : public QObject {
    Q_OBJECT

  private slots:
    void errorTextNamesTheFile() {
        QCOMPARE(ExportErrorText("/no/such/june.csv"),
                 QString("Unable to write to the file /no/such/june.csv\r\n"
                         "Please ensure you have selected a valid directory and file for "
                         "writing."));
    }

    void csvWrittenByteForByteAndReplaced() {
        QTemporaryDir folder;
        const QString path = folder.filePath("june.csv");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(1000, 'x'));  // longer than the export: must be cut away
        old.close();

        ScriptedSaveFileDialog dialog;
        dialog.DialogTitle = "Specify WXTide32 Program Location";  // left by the tide set-up
        dialog.script.push_back(path);
        RecordingMessageBoxes messages;

        QCOMPARE(ExportCsv(dialog, messages, kCsv), ExportOutcome::Written);
        QCOMPARE(ReadAll(path), QByteArray::fromStdString(kCsv));
        QVERIFY(messages.shown.empty());
        QCOMPARE(dialog.seen.at(0).filter, QString("Comma Separated Values (*.csv)|*.csv"));
        QCOMPARE(dialog.seen.at(0).defaultExt, QString(".csv"));
        QCOMPARE(dialog.seen.at(0).title, QString("Specify WXTide32 Program Location"));
        QCOMPARE(dialog.FileName, path);  // remembered for the next use
    }

    void cancelWritesNothing() {
        QTemporaryDir folder;
        ScriptedSaveFileDialog dialog;
        dialog.script.push_back(QString());
        RecordingMessageBoxes messages;
        bool pdfCalled = false;

        QCOMPARE(ExportCsv(dialog, messages, kCsv), ExportOutcome::Cancelled);
        dialog.script.push_back(QString());
        QCOMPARE(ExportPdf(dialog, messages, [&](const std::string&) { pdfCalled = true; }),
                 ExportOutcome::Cancelled);
        QVERIFY(!pdfCalled);
        QVERIFY(messages.shown.empty());
        QVERIFY(QDir(folder.path()).isEmpty());
        // Both exports ask before replacing a file: a PDF must not go over a kept CSV name.
        QVERIFY(dialog.seen.at(0).confirmOverwrite);
        QVERIFY(dialog.seen.at(1).confirmOverwrite);
    }

    void unwritableFileShowsExportError_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("folder does not exist") << "/nonexistent-quintrel-folder/june.csv";
        QTest::newRow("path is a folder") << "/tmp";
        QTest::newRow("a device") << "/dev/full";
    }

    void unwritableFileShowsExportError() {
        QFETCH(QString, path);
        ScriptedSaveFileDialog dialog;
        dialog.script.push_back(path);
        RecordingMessageBoxes messages;

        QCOMPARE(ExportCsv(dialog, messages, kCsv), ExportOutcome::Failed);
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].kind, RecordingMessageBoxes::Kind::Exclamation);
        QCOMPARE(messages.shown[0].title, QString("Export Error"));
        QVERIFY(messages.shown[0].text.startsWith(ExportErrorText(path)));
    }

    // A pipe nobody reads would hold the window until someone did.
    void pipeIsRefusedAtOnce() {
        QTemporaryDir folder;
        const QString pipe = folder.filePath("june.csv");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        ScriptedSaveFileDialog dialog;
        dialog.script = {pipe, pipe};
        RecordingMessageBoxes messages;
        bool pdfCalled = false;
        QCOMPARE(ExportCsv(dialog, messages, kCsv), ExportOutcome::Failed);
        QCOMPARE(ExportPdf(dialog, messages, [&](const std::string&) { pdfCalled = true; }),
                 ExportOutcome::Failed);
        QVERIFY(!pdfCalled);
        QCOMPARE(messages.shown.size(), size_t(2));
        QVERIFY(messages.shown[1].text.contains("named pipe"));
    }

    void dialogThatFailsIsTriedOnceMoreEmpty() {
        QTemporaryDir folder;
        const QString path = folder.filePath("again.csv");
        ScriptedSaveFileDialog dialog;
        dialog.FileName = "bad\x01name";
        dialog.script = {ScriptedSaveFileDialog::Fail{}, path};
        RecordingMessageBoxes messages;

        QCOMPARE(ExportCsv(dialog, messages, kCsv), ExportOutcome::Written);
        QCOMPARE(dialog.seen.size(), size_t(2));
        QCOMPARE(dialog.seen[1].fileName, QString());
        QCOMPARE(ReadAll(path), QByteArray::fromStdString(kCsv));

        // A second failure is taken as a cancel, silently.
        dialog.script = {ScriptedSaveFileDialog::Fail{}, ScriptedSaveFileDialog::Fail{}};
        QCOMPARE(ExportCsv(dialog, messages, kCsv), ExportOutcome::Cancelled);
        QVERIFY(messages.shown.empty());
    }

    void pdfWriterGetsThePathAndItsFailureIsReported() {
        QTemporaryDir folder;
        const QString path = folder.filePath("june.pdf");
        ScriptedSaveFileDialog dialog;
        dialog.script = {path, QString("/nonexistent-quintrel-folder/june.pdf")};
        RecordingMessageBoxes messages;
        std::string writtenTo;

        QCOMPARE(ExportPdf(dialog, messages, [&](const std::string& p) { writtenTo = p; }),
                 ExportOutcome::Written);
        QCOMPARE(QString::fromStdString(writtenTo), path);
        QCOMPARE(dialog.seen[0].filter, QString("Portable Document Format (*.pdf)|*.pdf"));
        QCOMPARE(dialog.seen[0].defaultExt, QString(".pdf"));
        QCOMPARE(dialog.seen[0].fileName, QString());
        QVERIFY(messages.shown.empty());

        const auto failingWriter = [](const std::string& p) {
            throw CoreError("Cannot write " + p);
        };
        QCOMPARE(ExportPdf(dialog, messages, failingWriter), ExportOutcome::Failed);
        QCOMPARE(dialog.seen[1].fileName, path);  // opens with the last name used
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].title, QString("Export Error"));
        QCOMPARE(messages.shown[0].text, ExportErrorText("/nonexistent-quintrel-folder/june.pdf"));
    }
};

QTEST_MAIN(ExportsTest)
#include "ExportsTest.moc"
