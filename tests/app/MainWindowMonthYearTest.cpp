// The month list, the year box with its "+" and "-", and when Calculate computes.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "MainWindowHarness.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::testing;

class MainWindowMonthYearTest : public QObject {
    Q_OBJECT

    WindowHarness* harness_ = nullptr;
    std::unique_ptr<fMain> window_;

    /// Moves the focus out of the year box to Calculate, as a user's Tab does.
    void LeaveYearBox() {
        Ui(*window_).cmdCalc->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    void EnterYearBox() {
        Ui(*window_).txtYear->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }

    const arReport* ShownReport() const { return Ui(*window_).arvReport->ReportSource(); }

  private slots:
    void init() {
        harness_ = new WindowHarness;
        harness_->WritePlaces(FivePlaces());
        harness_->settings.Set("Year", "2004");
        window_ = harness_->Open();
        QVERIFY(window_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() {
        window_.reset();
        delete harness_;
        harness_ = nullptr;
    }

    void monthListHoldsTwelveMonths() {
        QCOMPARE(Ui(*window_).cboMonth->count(), 12);
        QCOMPARE(Ui(*window_).cboMonth->itemText(0), QString("01 January"));
        QCOMPARE(Ui(*window_).cboMonth->itemText(11), QString("12 December"));
        QCOMPARE(Ui(*window_).cboMonth->itemData(8).toInt(), 9);
        QCOMPARE(Ui(*window_).cboMonth->currentText(), QString("06 June"));
    }

    void pickingAMonthShowsItAtOnce() {
        const arReport* before = ShownReport();
        Ui(*window_).cboMonth->setCurrentIndex(2);
        QCOMPARE(window_->State().CurrentMonth, std::int16_t{3});
        QVERIFY(ShownReport() != before);
        QCOMPARE(window_->Table().rows.size(), std::size_t{31});
        QCOMPARE(ShownReport()->Caption("lblPageHeader"),
                 std::string("Quintrel For Australia (Sydney) for March 2004"));
    }

    void clearingTheMonthTextRestoresTheMonth() {
        Ui(*window_).cboMonth->setCurrentIndex(3);
        Ui(*window_).cboMonth->lineEdit()->selectAll();
        QTest::keyClick(Ui(*window_).cboMonth->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(Ui(*window_).cboMonth->currentText(), QString("04 April"));
        QCOMPARE(window_->State().CurrentMonth, std::int16_t{4});
        // Blanks alone count as empty too.
        Ui(*window_).cboMonth->lineEdit()->selectAll();
        QTest::keyClick(Ui(*window_).cboMonth->lineEdit(), Qt::Key_Space);
        QCOMPARE(Ui(*window_).cboMonth->currentText(), QString("04 April"));
    }

    void typedMonthTextChangesNothing() {
        Ui(*window_).cboMonth->lineEdit()->selectAll();
        QTest::keyClicks(Ui(*window_).cboMonth->lineEdit(), "Octo");
        QCOMPARE(window_->State().CurrentMonth, std::int16_t{6});
    }

    void yearBoxChecksWhenTheFocusLeaves_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("currentYear");
        QTest::newRow("1949 becomes 1950") << "1949"
                                           << "1950" << 1950;
        QTest::newRow("1950 accepted") << "1950"
                                       << "1950" << 1950;
        QTest::newRow("empty becomes this year") << ""
                                                 << "2026" << 2026;
        QTest::newRow("fraction kept as typed") << "2003.6"
                                                << "2003.6" << 2004;
        QTest::newRow("letters put back the year") << "abc"
                                                   << "2004" << 2004;
        QTest::newRow("too far ahead puts back the year") << "10000"
                                                          << "2004" << 2004;
    }
    void yearBoxChecksWhenTheFocusLeaves() {
        QFETCH(QString, typed);
        QFETCH(QString, box);
        QFETCH(int, currentYear);
        EnterYearBox();
        Ui(*window_).txtYear->setText(typed);
        LeaveYearBox();
        QCOMPARE(Ui(*window_).txtYear->text(), box);
        QCOMPARE(int{window_->State().CurrentYear}, currentYear);
    }

    void enteringTheYearBoxSelectsItsText() {
        Ui(*window_).cmdCalc->setFocus(Qt::TabFocusReason);
        QTest::mouseClick(Ui(*window_).txtYear, Qt::LeftButton);
        QTRY_COMPARE(Ui(*window_).txtYear->selectedText(), QString("2004"));
    }

    void plusAndMinusSetTheYearAtOnce() {
        // The focus is elsewhere: the year Calculate uses still follows the box.
        Ui(*window_).cmdCalc->setFocus(Qt::TabFocusReason);
        QTest::mouseClick(Ui(*window_).lblPlus, Qt::LeftButton);
        QCOMPARE(Ui(*window_).txtYear->text(), QString("2005"));
        QCOMPARE(window_->State().CurrentYear, std::int16_t{2005});
        QVERIFY(Ui(*window_).cmdCalc->hasFocus());  // a label takes no focus
        QTest::mouseClick(Ui(*window_).cmdCalc, Qt::LeftButton);
        QCOMPARE(window_->Table().Year, std::int16_t{2005});
        QTest::mouseClick(Ui(*window_).lblMinus, Qt::LeftButton);
        QTest::mouseClick(Ui(*window_).lblMinus, Qt::LeftButton);
        QCOMPARE(Ui(*window_).txtYear->text(), QString("2003"));
        QCOMPARE(window_->State().CurrentYear, std::int16_t{2003});
    }

    // The keyboard alone: every change of month or year shows its report at once.
    void theKeyboardAloneChangesTheReport_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("header");
        QTest::newRow("Down in the month list") << "cboMonth"
                                                << "" << int(Qt::Key_Down) << "July 2004";
        QTest::newRow("a year and Enter") << "txtYear"
                                          << "2010" << int(Qt::Key_Return) << "June 2010";
        QTest::newRow("Up in the year box") << "txtYear"
                                            << "" << int(Qt::Key_Up) << "June 2005";
        QTest::newRow("Down in the year box") << "txtYear"
                                              << "" << int(Qt::Key_Down) << "June 2003";
        QTest::newRow("Space on +") << "lblPlus"
                                    << "" << int(Qt::Key_Space) << "June 2005";
        QTest::newRow("Space on -") << "lblMinus"
                                    << "" << int(Qt::Key_Space) << "June 2003";
    }
    void theKeyboardAloneChangesTheReport() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, header);
        auto* widget = window_->findChild<QWidget*>(control);
        QVERIFY(widget);
        QVERIFY(widget->focusPolicy() & Qt::TabFocus);
        widget->setFocus(Qt::TabFocusReason);
        if (!typed.isEmpty()) {
            Ui(*window_).txtYear->selectAll();
            QTest::keyClicks(widget, typed);
        }
        QTest::keyClick(widget, Qt::Key(key));
        QCOMPARE(QString::fromStdString(ShownReport()->Caption("lblPageHeader")),
                 "Quintrel For Australia (Sydney) for " + header);
    }

    void enterOnAFocusedButtonPressesIt() {
        Ui(*window_).cmdAbout->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Ui(*window_).cmdAbout, Qt::Key_Return);
        QCOMPARE(harness_->aboutShown, 1);
    }

    void minusStopsAt1950() {
        Ui(*window_).txtYear->setText("1951");
        QTest::mouseClick(Ui(*window_).lblMinus, Qt::LeftButton);
        QCOMPARE(Ui(*window_).txtYear->text(), QString("1950"));
        QTest::mouseClick(Ui(*window_).lblMinus, Qt::LeftButton);
        QCOMPARE(Ui(*window_).txtYear->text(), QString("1950"));
        Ui(*window_).txtYear->setText("1900");
        QTest::mouseClick(Ui(*window_).lblMinus, Qt::LeftButton);
        QCOMPARE(Ui(*window_).txtYear->text(), QString("1950"));
        QCOMPARE(window_->State().CurrentYear, std::int16_t{1950});
    }

    void plusFrom1949Gives1950() {
        Ui(*window_).txtYear->setText("1949");
        QTest::mouseClick(Ui(*window_).lblPlus, Qt::LeftButton);
        QCOMPARE(Ui(*window_).txtYear->text(), QString("1950"));
        QCOMPARE(window_->State().CurrentYear, std::int16_t{1950});
    }

    void calculateIsIdempotentAndRecomputesOnEachChange() {
        const arReport* first = ShownReport();
        QTest::mouseClick(Ui(*window_).cmdCalc, Qt::LeftButton);
        QCOMPARE(ShownReport(), first);  // nothing changed: nothing recomputed

        Ui(*window_).cboMonth->setCurrentIndex(1);
        Ui(*window_).cmdCalc->click();
        const arReport* afterMonth = ShownReport();
        QVERIFY(afterMonth != first);
        QCOMPARE(window_->Table().rows.size(), std::size_t{29});  // February 2004

        QTest::mouseClick(Ui(*window_).lblPlus, Qt::LeftButton);
        Ui(*window_).cmdCalc->click();
        const arReport* afterYear = ShownReport();
        QVERIFY(afterYear != afterMonth);
        QCOMPARE(window_->Table().rows.size(), std::size_t{28});  // February 2005

        Ui(*window_).cboPlaces->setCurrentIndex(2);
        Ui(*window_).cmdCalc->click();
        const arReport* afterPlace = ShownReport();
        QVERIFY(afterPlace != afterYear);
        QCOMPARE(afterPlace->Caption("lblPageHeader"),
                 std::string("Quintrel For New Zealand (Christchurch) for February 2005"));
        Ui(*window_).cmdCalc->click();
        QCOMPARE(ShownReport(), afterPlace);
    }

    void exportToolsAreAddedOnceAndTheZoomIsKept() {
        Ui(*window_).arvReport->SetZoom(150);
        Ui(*window_).cboMonth->setCurrentIndex(0);
        Ui(*window_).cmdCalc->click();
        Ui(*window_).cboMonth->setCurrentIndex(1);
        Ui(*window_).cmdCalc->click();
        int pdfTools = 0;
        int csvTools = 0;
        const QList<QAction*> tools = Ui(*window_).arvReport->Tools();
        for (QAction* tool : tools) {
            pdfTools += tool->text() == "PDF Export" ? 1 : 0;
            csvTools += tool->text() == "CSV Export" ? 1 : 0;
        }
        QCOMPARE(pdfTools, 1);
        QCOMPARE(csvTools, 1);
        QCOMPARE(tools.at(3)->text(), QString("PDF Export"));
        QCOMPARE(tools.at(4)->text(), QString("CSV Export"));
        QCOMPARE(Ui(*window_).arvReport->Zoom(), 150);
    }

    void aSavedYearOf1950OrLessShowsAndComputesThisYear() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        harness.settings.Set("Year", "1950");
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(Ui(*window).txtYear->text(), QString("2026"));
        QCOMPARE(window->State().CurrentYear, std::int16_t{2026});
        QCOMPARE(window->Table().Year, std::int16_t{2026});
    }

    void aSavedMonthOutsideTheListShowsThisMonth() {
        WindowHarness harness;
        harness.thisMonth = 9;
        harness.WritePlaces(FivePlaces());
        harness.settings.Set("Month", "13");
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(Ui(*window).cboMonth->currentText(), QString("09 September"));
        QCOMPARE(window->Table().Month, std::int16_t{9});
    }

    void aCalculationErrorIsShownAndTheProgramCarriesOn() {
        WindowHarness harness;
        std::vector<std::string> places = FivePlaces();
        places[1].replace(41, 2, "xy");  // France: latitude degrees that are not a number
        harness.WritePlaces(places);
        harness.settings.Set("Index", "1");
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        QCOMPARE(harness.messages.shown.front().title, QString("Calculation Error"));
        // Pressing Calculate again tries again and says so again.
        Ui(*window).cmdCalc->click();
        QCOMPARE(harness.messages.shown.size(), std::size_t{2});
        // Another place computes as usual.
        Ui(*window).cboPlaces->setCurrentIndex(0);
        Ui(*window).cmdCalc->click();
        QCOMPARE(harness.messages.shown.size(), std::size_t{2});
        QVERIFY(Ui(*window).arvReport->ReportSource() != nullptr);
    }
};

QTEST_MAIN(MainWindowMonthYearTest)
#include "MainWindowMonthYearTest.moc"
