#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "ui/QtMessageBoxes.h"

using namespace quintrel;

namespace {

struct Seen {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QList<QMessageBox::StandardButton> buttons;
};

// Looks at the box once it is open, then presses `press` (or Esc when NoButton).
void AnswerNextBox(Seen& seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << box->standardButton(button);
        }
        if (press == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            box->button(press)->click();
        }
    });
}

}  // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT

  private slots:
    void okBoxes() {
        QtMessageBoxes boxes;
        Seen critical;
        AnswerNextBox(critical, QMessageBox::Ok);
        boxes.Critical("Missing File(s)", "Required data file locs.dat/bak is not there");
        QCOMPARE(critical.icon, QMessageBox::Critical);
        QCOMPARE(critical.title, QString("Missing File(s)"));
        QCOMPARE(critical.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});

        Seen exclamation;
        AnswerNextBox(exclamation, QMessageBox::Ok);
        boxes.Exclamation("Export Error", "Unable to write to the file /a<b>&c\r\nPlease ...");
        QCOMPARE(exclamation.icon, QMessageBox::Warning);
        // Shown as plain text with a plain line break.
        QCOMPARE(exclamation.text, QString("Unable to write to the file /a<b>&c\nPlease ..."));
        QCOMPARE(exclamation.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    }

    void question_data() {
        QTest::addColumn<int>("press");
        QTest::addColumn<bool>("expected");
        QTest::newRow("OK") << int(QMessageBox::Ok) << true;
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << false;
        QTest::newRow("Esc") << int(QMessageBox::NoButton) << false;
    }

    void question() {
        QFETCH(int, press);
        QFETCH(bool, expected);
        QtMessageBoxes boxes;
        Seen seen;
        AnswerNextBox(seen, QMessageBox::StandardButton(press));
        QCOMPARE(boxes.Question("Confirm Delete",
                                "Are you sure you want to delete the location:\r\nPerth"),
                 expected);
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.buttons.size(), 2);
        QVERIFY(seen.buttons.contains(QMessageBox::Ok));
        QVERIFY(seen.buttons.contains(QMessageBox::Cancel));
    }
};

QTEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"
