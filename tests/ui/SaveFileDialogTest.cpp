#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/ScriptedSaveFileDialog.h"
#include "ui/QtSaveFileDialog.h"

using namespace quintrel;

class SaveFileDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void nameFilter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("csv, pattern already in the description")
            << "Comma Separated Values (*.csv)|*.csv"
            << "Comma Separated Values (*.csv)";
        QTest::newRow("tide program, file name as pattern")
            << "WXTide32 Progam File (WXTide32.exe)|WXTide32.exe"
            << "WXTide32 Progam File (WXTide32.exe)";
        QTest::newRow("description without pattern") << "Text files|*.txt"
                                                     << "Text files (*.txt)";
        QTest::newRow("several patterns") << "Pictures|*.png;*.jpg"
                                          << "Pictures (*.png *.jpg)";
        QTest::newRow("two entries") << "CSV|*.csv|All files|*.*"
                                     << "CSV (*.csv);;All files (*.*)";
        QTest::newRow("no bar: already Qt's form") << "PDF (*.pdf)"
                                                   << "PDF (*.pdf)";
        QTest::newRow("empty") << ""
                               << "";
    }

    void nameFilter() {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(ToQtNameFilter(filter), expected);
    }

    void defaultExtension_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("defaultExt");
        QTest::addColumn<QString>("expected");
        QTest::newRow("added with dot") << "/tmp/june"
                                        << ".csv"
                                        << "/tmp/june.csv";
        QTest::newRow("added without dot") << "/tmp/june"
                                           << "pdf"
                                           << "/tmp/june.pdf";
        QTest::newRow("own extension kept") << "/tmp/june.txt"
                                            << ".csv"
                                            << "/tmp/june.txt";
        QTest::newRow("dot in folder only") << "/tmp/v1.2/june"
                                            << ".csv"
                                            << "/tmp/v1.2/june.csv";
        QTest::newRow("file name as default lends its extension") << "/opt/tide/wxtide"
                                                                  << "WXTide32.exe"
                                                                  << "/opt/tide/wxtide.exe";
        QTest::newRow("no default") << "/tmp/june"
                                    << ""
                                    << "/tmp/june";
        QTest::newRow("cancel stays empty") << ""
                                            << ".csv"
                                            << "";
    }

    void defaultExtension() {
        QFETCH(QString, path);
        QFETCH(QString, defaultExt);
        QFETCH(QString, expected);
        QCOMPARE(WithDefaultExtension(path, defaultExt), expected);
    }

    void propertiesReachTheQtDialog() {
        QTemporaryDir folder;
        QtSaveFileDialog dialog;
        dialog.Filter = "Comma Separated Values (*.csv)|*.csv";
        dialog.DefaultExt = ".csv";
        dialog.DialogTitle = "Specify WXTide32 Program Location";
        dialog.InitDir = folder.path();
        dialog.FileName = "june";
        dialog.Apply();

        QFileDialog& qt = dialog.Dialog();
        QVERIFY(qt.testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(qt.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(qt.windowTitle(), QString("Specify WXTide32 Program Location"));
        QCOMPARE(qt.nameFilters(), QStringList{"Comma Separated Values (*.csv)"});
        QCOMPARE(qt.directory().absolutePath(), QDir(folder.path()).absolutePath());
        QCOMPARE(qt.defaultSuffix(), QString("csv"));
    }

    // Not the folder the program happened to be started from; and an empty initial
    // directory leaves the folder where it is.
    void firstOpensInTheHomeFolder() {
        QtSaveFileDialog dialog;
        dialog.Filter = "Comma Separated Values (*.csv)|*.csv";
        dialog.Apply();
        QCOMPARE(dialog.Dialog().directory().absolutePath(), QDir::home().absolutePath());
    }

    // One dialog object for every use: what one use chose is what the next one shows.
    void keepsTheChosenNameBetweenUses() {
        QTemporaryDir folder;
        QtSaveFileDialog dialog;
        dialog.Filter = "Comma Separated Values (*.csv)|*.csv";
        dialog.DefaultExt = ".csv";
        dialog.InitDir = folder.path();
        const QString typed = folder.filePath("june");

        QString shownSecondTime;
        QTimer::singleShot(0, &dialog.Dialog(), [&] {
            dialog.Dialog().selectFile(typed);
            QMetaObject::invokeMethod(&dialog.Dialog(), "accept");
        });
        dialog.ShowSave();
        QCOMPARE(dialog.FileName, typed + ".csv");

        dialog.Filter = "Portable Document Format (*.pdf)|*.pdf";
        dialog.DefaultExt = ".pdf";
        QTimer::singleShot(0, &dialog.Dialog(), [&] {
            shownSecondTime = dialog.Dialog().findChild<QLineEdit*>()->text();
            dialog.Dialog().reject();
        });
        dialog.ShowSave();
        QCOMPARE(shownSecondTime, QString("june.csv"));
        QCOMPARE(dialog.FileName, QString());  // cancel empties the name
        QCOMPARE(dialog.InitDir, folder.path());
    }

    // An export asks before it replaces a file; the tide set-up, which picks an existing
    // program, never does.
    void asksBeforeReplacingOnlyWhenTold_data() {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("answer");  // the button pressed in the question; 0 = none asked
        QTest::addColumn<bool>("chosen");
        QTest::newRow("export, the user keeps the file") << true << int(QMessageBox::No) << false;
        QTest::newRow("export, the user replaces it") << true << int(QMessageBox::Yes) << true;
        QTest::newRow("tide set-up, no question") << false << 0 << true;
    }

    void asksBeforeReplacingOnlyWhenTold() {
        QFETCH(bool, confirm);
        QFETCH(int, answer);
        QFETCH(bool, chosen);
        QTemporaryDir folder;
        const QString existing = folder.filePath("june.csv");
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        int questions = 0;
        QtSaveFileDialog dialog;  // after `questions`: its end stops the timers below
        dialog.Filter = "Comma Separated Values (*.csv)|*.csv";
        dialog.DefaultExt = ".csv";
        dialog.ConfirmOverwrite = confirm;
        QTimer::singleShot(0, &dialog.Dialog(), [&] {
            QTimer::singleShot(0, &dialog.Dialog(), [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    ++questions;
                    box->button(QMessageBox::StandardButton(answer))->click();
                }
            });
            dialog.Dialog().selectFile(existing);
            QMetaObject::invokeMethod(&dialog.Dialog(), "accept");
            if (dialog.Dialog().isVisible()) {
                dialog.Dialog().reject();  // the user kept the file and gave up
            }
        });
        dialog.ShowSave();
        QCOMPARE(questions, answer == 0 ? 0 : 1);
        QCOMPARE(dialog.FileName, chosen ? existing : QString());
    }

    void survivesItsParentWindow() {
        QtSaveFileDialog dialog;
        {
            QWidget window;
            dialog.SetParentWindow(&window);
            QCOMPARE(dialog.Dialog().parentWidget(), &window);
            QVERIFY(dialog.Dialog().isWindow());
        }
        // The window took the dialog with it: a fresh one stands in, and destroying ours
        // afterwards is safe.
        QCOMPARE(dialog.Dialog().parentWidget(), nullptr);
        QCOMPARE(dialog.Dialog().acceptMode(), QFileDialog::AcceptSave);
    }

    void unusableRememberedNameFails() {
        QtSaveFileDialog dialog;
        dialog.FileName = QString(300, QChar('x'));
        QVERIFY_THROWS_EXCEPTION(SaveDialogError, dialog.ShowSave());
    }

    void retriesOnceWithAnEmptyName_data() {
        QTest::addColumn<int>("failures");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("shows");
        QTest::newRow("opens at once") << 0 << "/tmp/a.csv" << 1;
        QTest::newRow("fails once, second try chosen") << 1 << "/tmp/a.csv" << 2;
        QTest::newRow("fails twice, not tried again") << 2 << "" << 2;
    }

    void retriesOnceWithAnEmptyName() {
        QFETCH(int, failures);
        QFETCH(QString, expected);
        QFETCH(int, shows);
        ScriptedSaveFileDialog dialog;
        dialog.FileName = "remembered?.csv";
        for (int i = 0; i < failures; ++i) {
            dialog.script.push_back(ScriptedSaveFileDialog::Fail{});
        }
        dialog.script.push_back(QString("/tmp/a.csv"));

        QCOMPARE(ShowSaveWithRetry(dialog), expected);
        QCOMPARE(int(dialog.seen.size()), shows);
        QCOMPARE(dialog.seen.front().fileName, QString("remembered?.csv"));
        if (shows > 1) {
            QCOMPARE(dialog.seen.back().fileName, QString());
        }
    }
};

QTEST_MAIN(SaveFileDialogTest)
#include "SaveFileDialogTest.moc"
