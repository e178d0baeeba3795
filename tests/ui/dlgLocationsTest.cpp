#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <string>

#include "locations/LocationForm.h"
#include "ui/dlgLocations.h"

using quintrel::dlgLocations;
using quintrel::FormBox;
using quintrel::LocationForm;

namespace {

const std::string kSydney =
    "0"
    "New South Wales      "
    "Sydney           "
    "- 33 52"
    "+151 13"
    "+  10"
    "1"
    "025110"
    "035103";

const QColor kOrange(255, 224, 192);

template <typename T>
T* Control(dlgLocations& dlg, const char* name) {
    T* control = dlg.findChild<T*>(name);
    if (control == nullptr) {
        qFatal("no control %s", name);
    }
    return control;
}

QLineEdit* Box(dlgLocations& dlg, const char* name) {
    return Control<QLineEdit>(dlg, name);
}

QCheckBox* Check(dlgLocations& dlg, const char* name) {
    return Control<QCheckBox>(dlg, name);
}

// Clicks a check box on its indicator, where a click always lands.
void ClickCheck(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

bool IsOrange(QLineEdit* box) {
    return box->palette().color(QPalette::Base) == kOrange;
}

}  // namespace

class dlgLocationsTest : public QObject {
    Q_OBJECT

  private:
    // Runs FormSetup with `steps` done while the window is open. The steps are expected
    // to close it; if they do not (a failed check returned early), it is cancelled so the
    // test cannot hang. `closedBySteps` tells which happened.
    bool Run(dlgLocations& dlg, std::string& record, int mode, const std::function<void()>& steps,
             bool* closedBySteps = nullptr) {
        bool closed = false;
        QTimer::singleShot(0, &dlg, [&] {
            if (QTest::qWaitForWindowActive(&dlg)) {
                steps();
            } else {
                QTest::qFail("the window did not become active", __FILE__, __LINE__);
            }
            closed = !dlg.isVisible();
            if (!closed) {
                dlg.reject();
            }
        });
        const bool ok = dlg.FormSetup(record, mode);
        if (closedBySteps != nullptr) {
            *closedBySteps = closed;
        }
        return ok;
    }

  private slots:
    void controlsCarryTheirCaptions_data();
    void controlsCarryTheirCaptions();
    void boxesHaveTheirLimitsAndAlignment_data();
    void boxesHaveTheirLimitsAndAlignment();
    void tabOrderFollowsReadingOrder();
    void listsHoldTheirEntries();
    void newPlaceAcceptedWithNames();
    void emptyNameKeepsFocusAgainstOkButNotCancel();
    void badNumberKeepsFocusUntilMended_data();
    void badNumberKeepsFocusUntilMended();
    void enterChecksTheBoxBeforeOk();
    void numberBoxesAreTidiedOnLeaving();
    void enteringABoxSelectsItsText();
    void pairsActAsSwitches();
    void daylightSavingEnablesTheFrame();
    void editWithoutChangesGivesTheSameRecord();
    void cancelLeavesTheRecord();
    void escapeAndCloseCancel();
    void secondUseStartsClean();
    void isModalOverItsParent();
};

void dlgLocationsTest::controlsCarryTheirCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const char* const rows[][2] = {
        {"Label1", "Country, State"},
        {"Label2", "City/Town Name"},
        {"Label3", "Longitude:"},
        {"Label4", "Lattitude:"},
        {"Label5", "Degrees"},
        {"Label6", "Minutes"},
        {"Label7", "GMT Time Diff:"},
        {"Label8", "Hour(s)"},
        {"Label9", "Starts:"},
        {"Label10", "Ends:"},
        {"Label11", "at"},
        {"Label12", "on the"},
        {"Label13", "of"},
        {"Label14", "day"},
        {"chkN", "N"},
        {"chkS", "S"},
        {"chkE", "E"},
        {"chkW", "W"},
        {"chkP", "+"},
        {"chkM", "-"},
        {"chkFavourite", "This is one of my favourite locations"},
        {"chkDST", "This location experiences daylight savings"},
        {"cmdOK", "OK"},
        {"cmdCancel", "Cancel"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row[0]) << row[0] << row[1];
    }
}

void dlgLocationsTest::controlsCarryTheirCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    dlgLocations dlg;
    QWidget* control = dlg.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
    } else {
        auto* button = qobject_cast<QAbstractButton*>(control);
        QVERIFY(button != nullptr);
        QCOMPARE(button->text(), caption);
    }
    QCOMPARE(dlg.windowTitle(), QString("Location Maintenance"));
    QVERIFY(dlg.findChild<QFrame*>("frDST") != nullptr);
}

void dlgLocationsTest::boxesHaveTheirLimitsAndAlignment_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("box");
    QTest::addColumn<bool>("centred");
    QTest::newRow("txtCountry") << "txtCountry" << int(FormBox::Country) << false;
    QTest::newRow("txtCity") << "txtCity" << int(FormBox::City) << false;
    QTest::newRow("txtDLatt") << "txtDLatt" << int(FormBox::DLatt) << true;
    QTest::newRow("txtMLatt") << "txtMLatt" << int(FormBox::MLatt) << true;
    QTest::newRow("txtDLong") << "txtDLong" << int(FormBox::DLong) << true;
    QTest::newRow("txtMLong") << "txtMLong" << int(FormBox::MLong) << true;
    QTest::newRow("txtZone") << "txtZone" << int(FormBox::Zone) << true;
}

// Each box holds what its record column holds; a name typed past the end is cut there.
// (The counting of accented letters is the place form's, tested there.)
void dlgLocationsTest::boxesHaveTheirLimitsAndAlignment() {
    QFETCH(QString, name);
    QFETCH(int, box);
    QFETCH(bool, centred);
    dlgLocations dlg;
    auto* edit = dlg.findChild<QLineEdit*>(name);
    QVERIFY(edit != nullptr);
    const int limit = LocationForm::MaxLength(static_cast<FormBox>(box));
    QCOMPARE(edit->maxLength(), limit);
    QCOMPARE(bool(edit->alignment() & Qt::AlignHCenter), centred);
    if (!centred) {
        edit->setFocus();
        QTest::keyClicks(edit, QString(QStringLiteral("a")).repeated(limit + 5));
        QCOMPARE(edit->text(), QString(QStringLiteral("a")).repeated(limit));
    }
}

void dlgLocationsTest::tabOrderFollowsReadingOrder() {
    dlgLocations dlg;
    const QStringList expected = {
        "txtCountry", "txtCity",     "txtDLatt",     "txtMLatt",  "chkN",        "chkS",
        "txtDLong",   "txtMLong",    "chkE",         "chkW",      "chkP",        "chkM",
        "txtZone",    "cmdFillZone", "chkFavourite", "chkDST",    "cboHrStart",  "cboHrEnd",
        "cboWkStart", "cboWkEnd",    "cboDayStart",  "cboDayEnd", "cboMthStart", "cboMthEnd",
        "cmdOK",      "cmdCancel",   "txtFind"};
    QStringList order;
    QWidget* w = Box(dlg, "txtCountry");
    do {
        if (w->focusPolicy() & Qt::TabFocus) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != Box(dlg, "txtCountry"));
    QCOMPARE(order, expected);
}

void dlgLocationsTest::listsHoldTheirEntries() {
    dlgLocations dlg;
    std::string record;
    Run(dlg, record, 1, [&] {
        auto* hours = Control<QComboBox>(dlg, "cboHrEnd");
        QCOMPARE(hours->count(), 24);
        QCOMPARE(hours->itemText(0), QString("00:00"));
        QCOMPARE(hours->itemText(23), QString("23:00"));
        QCOMPARE(hours->itemData(23).toInt(), 23);
        auto* weeks = Control<QComboBox>(dlg, "cboWkStart");
        QCOMPARE(weeks->count(), 5);
        QCOMPARE(weeks->currentText(), QString("Last"));
        auto* days = Control<QComboBox>(dlg, "cboDayEnd");
        QCOMPARE(days->count(), 7);
        QCOMPARE(days->currentText(), QString("Sun"));
        auto* months = Control<QComboBox>(dlg, "cboMthStart");
        QCOMPARE(months->count(), 12);
        QCOMPARE(months->currentText(), QString("October"));
        QCOMPARE(Control<QComboBox>(dlg, "cboMthEnd")->currentText(), QString("March"));
        QCOMPARE(Control<QComboBox>(dlg, "cboHrStart")->currentText(), QString("02:00"));
    });
}

void dlgLocationsTest::newPlaceAcceptedWithNames() {
    dlgLocations dlg;
    std::string record = "untouched";
    bool closed = false;
    const bool ok = Run(
        dlg, record, 1,
        [&] {
            QCOMPARE(dlg.windowTitle(), QString("Add New Location"));
            QCOMPARE(QApplication::focusWidget(), Box(dlg, "txtCountry"));
            // QTest types Latin-1 letters only; accented ones go in as a paste would.
            Box(dlg, "txtCountry")->insert("nouvelle-calédonie");
            QTest::keyClick(Box(dlg, "txtCountry"), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), Box(dlg, "txtCity"));
            QCOMPARE(Box(dlg, "txtCountry")->text(), QString("Nouvelle-calédonie"));
            Box(dlg, "txtCity")->insert("NOUMÉA");
            QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
        },
        &closed);
    QVERIFY(closed);
    QVERIFY(ok);
    QCOMPARE(record, std::string("1"
                                 "Nouvelle-cal\xE9"
                                 "donie   "
                                 "Noum\xE9"
                                 "a           "
                                 "+  0  0"
                                 "+  0  0"
                                 "-   0"
                                 "1"
                                 "025110"
                                 "035103"));
    QVERIFY(!dlg.isVisible());
}

void dlgLocationsTest::emptyNameKeepsFocusAgainstOkButNotCancel() {
    dlgLocations dlg;
    std::string record;
    bool closed = false;
    const bool ok = Run(
        dlg, record, 1,
        [&] {
            QLineEdit* country = Box(dlg, "txtCountry");
            QVERIFY(!IsOrange(country));
            QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), country);
            QVERIFY(IsOrange(country));
            QVERIFY(dlg.isVisible());
            // Nor may a click on a check box or a Tab take the focus away, or act.
            ClickCheck(Check(dlg, "chkFavourite"));
            QVERIFY(!Check(dlg, "chkFavourite")->isChecked());
            QTest::keyClick(country, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), country);
            QTest::keyClicks(country, "fiji");
            QTest::mouseClick(Box(dlg, "txtCity"), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), Box(dlg, "txtCity"));
            QVERIFY(!IsOrange(country));
            QCOMPARE(country->text(), QString("Fiji"));
            // The town box refuses OK in the same way, but Cancel always closes.
            QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), Box(dlg, "txtCity"));
            QVERIFY(IsOrange(Box(dlg, "txtCity")));
            QTest::mouseClick(Control<QPushButton>(dlg, "cmdCancel"), Qt::LeftButton);
        },
        &closed);
    QVERIFY(closed);
    QVERIFY(!ok);
    QCOMPARE(record, std::string());
}

void dlgLocationsTest::badNumberKeepsFocusUntilMended_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::newRow("letters") << "txtDLatt"
                             << "abc";
    QTest::newRow("lone minus") << "txtMLatt"
                                << "-";
    QTest::newRow("blanks only") << "txtDLong"
                                 << "   ";
    QTest::newRow("negative degrees") << "txtDLong"
                                      << "-5";
    QTest::newRow("negative zone") << "txtZone"
                                   << "-3";
}

void dlgLocationsTest::badNumberKeepsFocusUntilMended() {
    QFETCH(QString, name);
    QFETCH(QString, typed);
    dlgLocations dlg;
    std::string record;
    Run(dlg, record, 1, [&] {
        QLineEdit* box = dlg.findChild<QLineEdit*>(name);
        QVERIFY(box != nullptr);
        box->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box);
        QVERIFY(IsOrange(box));
        QCOMPARE(box->text(), typed);
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box);
        QVERIFY(dlg.isVisible());
        QTest::keyClicks(box, "7");  // replaces the selected text
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != box);
        QVERIFY(!IsOrange(box));
        QCOMPARE(box->text(), QString("7"));
        dlg.reject();
    });
}

void dlgLocationsTest::enterChecksTheBoxBeforeOk() {
    dlgLocations dlg;
    std::string record = kSydney;
    bool closed = false;
    const bool ok = Run(
        dlg, record, 0,
        [&] {
            QLineEdit* zone = Box(dlg, "txtZone");
            zone->setFocus(Qt::OtherFocusReason);
            QTest::keyClicks(zone, "abc");
            QTest::keyClick(zone, Qt::Key_Return);
            QVERIFY(dlg.isVisible());
            QCOMPARE(QApplication::focusWidget(), zone);
            QTest::keyClicks(zone, "13");
            QTest::keyClick(zone, Qt::Key_Return);
        },
        &closed);
    QVERIFY(closed);
    QVERIFY(ok);
    QCOMPARE(record.substr(53, 5), std::string("+  12"));
}

void dlgLocationsTest::numberBoxesAreTidiedOnLeaving() {
    dlgLocations dlg;
    std::string record;
    Run(dlg, record, 1, [&] {
        QLineEdit* degrees = Box(dlg, "txtDLatt");
        QLineEdit* minutes = Box(dlg, "txtMLatt");
        minutes->setText("30");
        degrees->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(degrees, "95");
        QTest::keyClick(degrees, Qt::Key_Tab);
        QCOMPARE(degrees->text(), QString("90"));
        QCOMPARE(minutes->text(), QString("0"));
        QCOMPARE(QApplication::focusWidget(), minutes);
        QTest::keyClick(minutes, Qt::Key_Delete);  // empties the selected text
        QTest::keyClick(minutes, Qt::Key_Tab);
        QCOMPARE(minutes->text(), QString("0"));
        QVERIFY(!IsOrange(minutes));
        dlg.reject();
    });
}

void dlgLocationsTest::enteringABoxSelectsItsText() {
    dlgLocations dlg;
    std::string record = kSydney;
    Run(dlg, record, 0, [&] {
        QCOMPARE(Box(dlg, "txtCountry")->selectedText(), QString("New South Wales"));
        QTest::keyClick(Box(dlg, "txtCountry"), Qt::Key_Tab);
        QCOMPARE(Box(dlg, "txtCity")->selectedText(), QString("Sydney"));
        QTest::keyClick(Box(dlg, "txtCity"), Qt::Key_Tab);
        QCOMPARE(Box(dlg, "txtDLatt")->selectedText(), QString("33"));
        QTest::mouseClick(Box(dlg, "txtZone"), Qt::LeftButton);
        QTest::qWait(0);
        QCOMPARE(Box(dlg, "txtZone")->selectedText(), QString("10"));
        dlg.reject();
    });
}

void dlgLocationsTest::pairsActAsSwitches() {
    dlgLocations dlg;
    std::string record = kSydney;
    bool closed = false;
    const bool ok = Run(
        dlg, record, 0,
        [&] {
            QVERIFY(Check(dlg, "chkS")->isChecked());
            QVERIFY(!Check(dlg, "chkN")->isChecked());
            ClickCheck(Check(dlg, "chkS"));  // the checked box: the mark moves to N
            QVERIFY(Check(dlg, "chkN")->isChecked());
            QVERIFY(!Check(dlg, "chkS")->isChecked());
            ClickCheck(Check(dlg, "chkW"));
            QVERIFY(!Check(dlg, "chkE")->isChecked());
            ClickCheck(Check(dlg, "chkM"));
            QVERIFY(!Check(dlg, "chkP")->isChecked());
            QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
        },
        &closed);
    QVERIFY(closed);
    QVERIFY(ok);
    QCOMPARE(record.substr(39, 19), std::string("+ 33 52-151 13-  10"));
}

void dlgLocationsTest::daylightSavingEnablesTheFrame() {
    dlgLocations dlg;
    std::string record = kSydney;
    bool closed = false;
    const bool ok = Run(
        dlg, record, 0,
        [&] {
            auto* frame = Control<QFrame>(dlg, "frDST");
            auto* list = Control<QComboBox>(dlg, "cboMthEnd");
            QVERIFY(frame->isEnabled());
            QVERIFY(list->isEnabled());
            ClickCheck(Check(dlg, "chkDST"));
            QVERIFY(!frame->isEnabled());
            QVERIFY(!list->isEnabled());
            QCOMPARE(list->currentText(), QString("March"));
            ClickCheck(Check(dlg, "chkDST"));
            QVERIFY(list->isEnabled());
            ClickCheck(Check(dlg, "chkDST"));
            QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
        },
        &closed);
    QVERIFY(closed);
    QVERIFY(ok);
    QCOMPARE(record, kSydney.substr(0, 58) + "0");

    // A place without saving: the lists are empty, and checking the box asks for all eight.
    std::string paris = record;
    const bool parisOk = Run(dlg, paris, 0, [&] {
        QVERIFY(!Control<QFrame>(dlg, "frDST")->isEnabled());
        for (auto* list : dlg.findChildren<QComboBox*>()) {
            QCOMPARE(list->currentIndex(), -1);
        }
        ClickCheck(Check(dlg, "chkDST"));
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
        QVERIFY(dlg.isVisible());
        for (auto* list : dlg.findChildren<QComboBox*>()) {
            list->setCurrentIndex(1);
        }
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
    });
    QVERIFY(parisOk);
    QCOMPARE(paris, kSydney.substr(0, 58) + "1" + "012202" + "012202");
}

void dlgLocationsTest::editWithoutChangesGivesTheSameRecord() {
    dlgLocations dlg;
    std::string record = kSydney;
    const bool ok = Run(dlg, record, 0, [&] {
        QCOMPARE(dlg.windowTitle(), QString("Editing A Location"));
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
    });
    QVERIFY(ok);
    QCOMPARE(record, kSydney);
}

void dlgLocationsTest::cancelLeavesTheRecord() {
    dlgLocations dlg;
    std::string record = kSydney;
    const bool ok = Run(dlg, record, 0, [&] {
        Box(dlg, "txtCity")->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(Box(dlg, "txtCity"), "Manly");
        ClickCheck(Check(dlg, "chkFavourite"));
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdCancel"), Qt::LeftButton);
    });
    QVERIFY(!ok);
    QCOMPARE(record, kSydney);
}

void dlgLocationsTest::escapeAndCloseCancel() {
    dlgLocations dlg;
    std::string record = kSydney;
    QVERIFY(!Run(dlg, record, 0, [&] {
        QTest::keyClicks(Box(dlg, "txtCountry"), "x");
        QTest::keyClick(Box(dlg, "txtCountry"), Qt::Key_Escape);
    }));
    QCOMPARE(record, kSydney);
    QVERIFY(!Run(dlg, record, 0, [&] { dlg.close(); }));
    QCOMPARE(record, kSydney);
}

void dlgLocationsTest::secondUseStartsClean() {
    dlgLocations dlg;
    std::string record = kSydney;
    Run(dlg, record, 0, [&] {
        QTest::keyClick(Box(dlg, "txtCountry"), Qt::Key_Delete);
        QTest::mouseClick(Control<QPushButton>(dlg, "cmdOK"), Qt::LeftButton);
        QVERIFY(IsOrange(Box(dlg, "txtCountry")));
        ClickCheck(Check(dlg, "chkDST"));
        dlg.reject();  // Escape is the way out of an empty name
    });
    QCOMPARE(record, kSydney);
    std::string added;
    Run(dlg, added, 1, [&] {
        QCOMPARE(dlg.windowTitle(), QString("Add New Location"));
        QCOMPARE(QApplication::focusWidget(), Box(dlg, "txtCountry"));
        QVERIFY(!IsOrange(Box(dlg, "txtCountry")));
        QCOMPARE(Box(dlg, "txtCountry")->text(), QString());
        QCOMPARE(Box(dlg, "txtDLatt")->text(), QString("0"));
        QVERIFY(Check(dlg, "chkN")->isChecked());
        QVERIFY(Check(dlg, "chkE")->isChecked());
        QVERIFY(Check(dlg, "chkM")->isChecked());
        QVERIFY(!Check(dlg, "chkFavourite")->isChecked());
        QVERIFY(Check(dlg, "chkDST")->isChecked());
        QVERIFY(Control<QFrame>(dlg, "frDST")->isEnabled());
        QCOMPARE(Control<QComboBox>(dlg, "cboHrStart")->count(), 24);
        dlg.reject();
    });
    // Focus left on a button at the last close must not carry over either.
    Run(dlg, record, 0, [&] {
        Control<QPushButton>(dlg, "cmdCancel")->setFocus();
        dlg.reject();
    });
    Run(dlg, record, 0, [&] {
        QCOMPARE(QApplication::focusWidget(), Box(dlg, "txtCountry"));
        QCOMPARE(Box(dlg, "txtCountry")->selectedText(), QString("New South Wales"));
        dlg.reject();
    });
}

void dlgLocationsTest::isModalOverItsParent() {
    QWidget main;
    main.show();
    auto* dlg = new dlgLocations(&main);
    std::string record;
    Run(*dlg, record, 1, [&] {
        QVERIFY(dlg->isModal());
        QCOMPARE(dlg->parentWidget(), &main);
        QCOMPARE(QApplication::activeModalWidget(), dlg);
        dlg->reject();
    });
    QVERIFY(dlg->isHidden());
    QCOMPARE(main.findChild<dlgLocations*>(), dlg);  // hidden, not destroyed
}

QTEST_MAIN(dlgLocationsTest)
#include "dlgLocationsTest.moc"
