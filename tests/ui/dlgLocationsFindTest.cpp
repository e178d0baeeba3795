#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <string>

#include "astro/CoreError.h"
#include "ui/dlgLocations.h"

using quintrel::dlgLocations;

namespace {

template <typename T>
T* Control(dlgLocations& dlg, const char* name) {
    T* control = dlg.findChild<T*>(name);
    if (control == nullptr) {
        qFatal("no control %s", name);
    }
    return control;
}

QString Text(dlgLocations& dlg, const char* name) {
    return Control<QLineEdit>(dlg, name)->text();
}

QString Note(dlgLocations& dlg) {
    return Control<QLabel>(dlg, "lblNote")->text();
}

// A town list that cannot be opened.
class BrokenGazetteer : public quintrel::Gazetteer {
  public:
    std::vector<quintrel::GazetteerTown> Search(std::string_view, std::size_t) override {
        throw quintrel::CoreError("The town list (libgeonames) could not be opened");
    }
    std::optional<quintrel::GazetteerTown> Nearest(double, double) override {
        throw quintrel::CoreError("The town list (libgeonames) could not be opened");
    }
};

// Runs FormSetup with `steps` done while the window is open; cancels it if they leave it
// open, so that a failed check cannot hang the test.
bool Run(dlgLocations& dlg, std::string& record, int mode, const std::function<void()>& steps) {
    QTimer::singleShot(0, &dlg, [&] {
        if (QTest::qWaitForWindowActive(&dlg)) {
            steps();
        }
        if (dlg.isVisible()) {
            dlg.reject();
        }
    });
    return dlg.FormSetup(record, mode);
}

}  // namespace

class dlgLocationsFindTest : public QObject {
    Q_OBJECT

  private slots:
    void typingAndPickingFillsTheShippedRecord();
    void shortOrUnknownSearchSaysSo();
    void zoneWithoutRuleShowsTheNote();
    void zoneFromTheCoordinates();
    void pastedPositionFillsBothCoordinates();
    void brokenTownListLeavesManualEntry();
    void nameBoxesShowHowManyCharactersFit();
};

// The keyboard way: type, arrow down into the drop-down, Enter picks, Enter presses OK.
void dlgLocationsFindTest::typingAndPickingFillsTheShippedRecord() {
    dlgLocations dlg;
    std::string record;
    const bool ok = Run(dlg, record, 1, [&] {
        auto* find = Control<QLineEdit>(dlg, "txtFind");
        QTest::mouseClick(find, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), find);  // the empty name box lets it go
        QTest::keyClicks(find, "christch");
        QAbstractItemView* popup = Control<QCompleter>(dlg, "findCompleter")->popup();
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->model()->rowCount(), 2);
        QCOMPARE(popup->model()->index(0, 0).data().toString(),
                 QString("Christchurch, Canterbury, New Zealand"));
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QVERIFY(!popup->isVisible());
        QCOMPARE(Text(dlg, "txtCountry"), QString("New Zealand"));
        QCOMPARE(Text(dlg, "txtCity"), QString("Christchurch"));
        QCOMPARE(Text(dlg, "txtDLatt") + " " + Text(dlg, "txtMLatt"), QString("43 32"));
        QVERIFY(Control<QCheckBox>(dlg, "chkS")->isChecked());
        QCOMPARE(Text(dlg, "txtDLong") + " " + Text(dlg, "txtMLong"), QString("172 38"));
        QVERIFY(Control<QCheckBox>(dlg, "chkE")->isChecked());
        QCOMPARE(Text(dlg, "txtZone"), QString("12"));
        QVERIFY(Control<QCheckBox>(dlg, "chkP")->isChecked());
        QCOMPARE(Control<QComboBox>(dlg, "cboMthStart")->currentText(), QString("September"));
        QCOMPARE(Control<QComboBox>(dlg, "cboWkEnd")->currentText(), QString("1st"));
        QCOMPARE(Note(dlg), QString());
        QTest::keyClick(find, Qt::Key_Return);
    });
    QVERIFY(ok);
    QCOMPARE(
        record,
        std::string("1New Zealand          Christchurch     - 43 32+172 38+  121025109031104"));
}

void dlgLocationsFindTest::shortOrUnknownSearchSaysSo() {
    dlgLocations dlg;
    std::string record;
    Run(dlg, record, 1, [&] {
        auto* find = Control<QLineEdit>(dlg, "txtFind");
        QTest::mouseClick(find, Qt::LeftButton);
        QTest::keyClicks(find, "c");
        QCOMPARE(Note(dlg), QString("Type at least two letters of the town's name."));
        QTest::keyClicks(find, "qxq");
        QVERIFY(Note(dlg).startsWith("No town of 15,000 people or more matches \"cqxq\""));
        QVERIFY(!Control<QCompleter>(dlg, "findCompleter")->popup()->isVisible());
        find->clear();
        QTest::keyClicks(find, " ");
        QCOMPARE(Note(dlg), QString());
    });
}

void dlgLocationsFindTest::zoneWithoutRuleShowsTheNote() {
    dlgLocations dlg;
    std::string record;
    const bool ok = Run(dlg, record, 1, [&] {
        auto* find = Control<QLineEdit>(dlg, "txtFind");
        QTest::mouseClick(find, Qt::LeftButton);
        QTest::keyClicks(find, "casablanca");
        QAbstractItemView* popup = Control<QCompleter>(dlg, "findCompleter")->popup();
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QVERIFY(Note(dlg).startsWith("Clocks here go back an hour from standard time"));
        QVERIFY(!Control<QCheckBox>(dlg, "chkDST")->isChecked());
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
    });
    QVERIFY(ok);
    QCOMPARE(record, std::string("1Morocco              Casablanca       + 33 35-  7 37+   10"));
}

void dlgLocationsFindTest::zoneFromTheCoordinates() {
    dlgLocations dlg;
    std::string record =
        "1Norway               Lake Somewhere   + 69 30+ 19  0-   50";  // zone typed wrong
    const bool ok = Run(dlg, record, 0, [&] {
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdFillZone"), Qt::LeftButton);
        QCOMPARE(Text(dlg, "txtZone"), QString("1"));
        QVERIFY(Control<QCheckBox>(dlg, "chkP")->isChecked());
        QVERIFY(Control<QCheckBox>(dlg, "chkDST")->isChecked());
        QVERIFY(
            Note(dlg).startsWith("Time zone of the nearest town, Tromsø, Norway (Europe/Oslo)"));
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
    });
    QVERIFY(ok);
    QCOMPARE(
        record,
        std::string("1Norway               Lake Somewhere   + 69 30+ 19  0+   11025103035110"));
}

// A phone's "47.88, -93.52" pasted into the search box: both positions, then the zone.
void dlgLocationsFindTest::pastedPositionFillsBothCoordinates() {
    dlgLocations dlg;
    std::string record;
    Run(dlg, record, 1, [&] {
        auto* find = Control<QLineEdit>(dlg, "txtFind");
        find->setFocus();
        find->insert("47.88, -93.52");  // as a paste does
        QCOMPARE(Text(dlg, "txtDLatt") + " " + Text(dlg, "txtMLatt"), QString("47 53"));
        QVERIFY(Control<QCheckBox>(dlg, "chkN")->isChecked());
        QCOMPARE(Text(dlg, "txtDLong") + " " + Text(dlg, "txtMLong"), QString("93 31"));
        QVERIFY(Control<QCheckBox>(dlg, "chkW")->isChecked());
        QVERIFY(!Control<QCompleter>(dlg, "findCompleter")->popup()->isVisible());
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdFillZone"), Qt::LeftButton);
        QCOMPARE(Text(dlg, "txtZone"), QString("6"));
        QVERIFY(Control<QCheckBox>(dlg, "chkM")->isChecked());
        // A field changed by hand no longer belongs to what the search box says.
        QCOMPARE(Text(dlg, "txtFind"), QString("47.88, -93.52"));
        QTest::keyClicks(Control<QLineEdit>(dlg, "txtCity"), "Lake");
        QCOMPARE(Text(dlg, "txtFind"), QString());
    });
}

void dlgLocationsFindTest::brokenTownListLeavesManualEntry() {
    BrokenGazetteer broken;
    dlgLocations dlg(nullptr, &broken);
    std::string record;
    const bool ok = Run(dlg, record, 1, [&] {
        auto* find = Control<QLineEdit>(dlg, "txtFind");
        QTest::mouseClick(find, Qt::LeftButton);
        QTest::keyClicks(find, "paris");
        QCOMPARE(Note(dlg), QString("The town list (libgeonames) could not be opened; enter the "
                                    "place by hand."));
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdFillZone"), Qt::LeftButton);
        QVERIFY(Note(dlg).endsWith("; enter the zone by hand."));
        Control<QLineEdit>(dlg, "txtCountry")->setText("France");
        Control<QLineEdit>(dlg, "txtCity")->setText("Paris");
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
    });
    QVERIFY(ok);
    QCOMPARE(record.substr(0, 39), std::string("1France               Paris            "));
}

void dlgLocationsFindTest::nameBoxesShowHowManyCharactersFit() {
    dlgLocations dlg;
    std::string record;
    Run(dlg, record, 1, [&] {
        QCOMPARE(Control<QLabel>(dlg, "lblCountryLength")->text(), QString("0/21"));
        QTest::keyClicks(Control<QLineEdit>(dlg, "txtCountry"), "New Zealand");
        QCOMPARE(Control<QLabel>(dlg, "lblCountryLength")->text(), QString("11/21"));
        QCOMPARE(Control<QLabel>(dlg, "lblCityLength")->text(), QString("0/16"));
    });
}

QTEST_MAIN(dlgLocationsFindTest)
#include "dlgLocationsFindTest.moc"
