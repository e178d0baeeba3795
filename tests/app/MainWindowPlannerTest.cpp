// The planner window's wiring: the main window's button opens it, a search lists days, a
// double-click shows the day's month in the main window, choices are remembered, and
// problems and empty results are said plainly. The rules themselves are tested in the core.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

#include "support/AccessibleNames.h"
#include "tests/app/MainWindowHarness.h"
#include "ui/dlgPlanner.h"
#include "ui/dlgYearView.h"
#include "ui/report/ReportViewer.h"

namespace quintrel::testing {

class MainWindowPlannerTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness harness;
    std::unique_ptr<fMain> window;

    dlgPlanner* OpenPlanner() {
        window->findChild<QPushButton*>("cmdPlanner")->click();
        return window->PlannerWindow();
    }

  private slots:
    void init() {
        harness.settings = MemorySettingsStore();
        harness.messages.shown.clear();
        harness.WritePlaces(FivePlaces());
        window = harness.Open();
        QVERIFY(window != nullptr);
    }
    void cleanup() { window.reset(); }

    void search_lists_days_and_double_click_shows_their_month() {
        dlgPlanner* planner = OpenPlanner();
        QVERIFY(planner != nullptr && planner->isVisible());
        // The favourites are one place here: Sydney. Saturdays and Sundays by default.
        planner->findChild<QRadioButton*>("optFavourites")->setChecked(true);
        planner->findChild<QComboBox*>("cboFromMonth")->setCurrentIndex(0);
        planner->findChild<QSpinBox*>("spnFromYear")->setValue(2027);
        planner->findChild<QSpinBox*>("spnMonths")->setValue(3);
        planner->findChild<QPushButton*>("cmdSearch")->click();
        planner->WaitForSearch();
        QVERIFY(!planner->Days().empty());
        for (const PlanDay& day : planner->Days()) {
            QVERIFY(day.row.DayName == "Saturday" || day.row.DayName == "Sunday");
        }
        auto* results = planner->findChild<QTableView*>("lstResults");
        QCOMPARE(results->model()->rowCount(), static_cast<int>(planner->Days().size()));

        const PlanDay day = planner->Days().back();
        planner->ShowResult(static_cast<int>(planner->Days().size()) - 1);
        QCOMPARE(window->State().CurrentMonth, day.month);
        QCOMPARE(window->State().CurrentYear, day.year);
        QCOMPARE(window->findChild<QComboBox*>("cboPlaces")->currentIndex(), 0);
        QCOMPARE(window->findChild<QLineEdit*>("txtYear")->text(), QString::number(day.year));
        QCOMPARE(window->Table().Month, day.month);
        // The day itself is chosen in the report, ready for Enter to open its picture.
        QCOMPARE(window->findChild<ReportViewer*>("arvReport")->SelectedRow(), int{day.row.Day});

        // The choices outlive the window.
        planner->close();
        QCOMPARE(harness.settings.values.at({"Varnel", "Planner", "Months"}), std::string("3"));
        QCOMPARE(harness.settings.values.at({"Varnel", "Planner", "Places"}),
                 std::string("favourites"));
    }

    // The harness's clock says 15 June 2026.
    void the_days_ahead_start_today_unless_past_days_are_asked_for() {
        dlgPlanner* planner = OpenPlanner();
        planner->findChild<QRadioButton*>("optSelected")->setChecked(true);
        planner->findChild<QComboBox*>("cboFromMonth")->setCurrentIndex(5);
        planner->findChild<QSpinBox*>("spnFromYear")->setValue(2026);
        planner->findChild<QSpinBox*>("spnMonths")->setValue(1);
        planner->findChild<QComboBox*>("cboMinRating")->setCurrentIndex(0);
        planner->findChild<QCheckBox*>("chkDaylightMajor")->setChecked(false);
        for (int weekday = 1; weekday <= 7; ++weekday) {
            planner->findChild<QCheckBox*>(QString("chkDay%1").arg(weekday))->setChecked(true);
        }
        planner->findChild<QPushButton*>("cmdSearch")->click();
        planner->WaitForSearch();
        QCOMPARE(planner->Days().size(), std::size_t{16});
        QCOMPARE(int{planner->Days().front().row.Day}, 15);
        planner->findChild<QCheckBox*>("chkPast")->setChecked(true);
        planner->findChild<QPushButton*>("cmdSearch")->click();
        planner->WaitForSearch();
        QCOMPARE(planner->Days().size(), std::size_t{30});
    }

    void typing_in_the_place_list_finds_a_place_and_ticks_nothing() {
        dlgPlanner* planner = OpenPlanner();
        planner->findChild<QRadioButton*>("optTicked")->setChecked(true);
        auto* list = planner->findChild<QListWidget*>("lstPlaces");
        list->setFocus();
        QTest::keyClicks(list, "new zealand");
        QCOMPARE(list->currentItem()->text(), QString("New Zealand (Christchurch)"));
        for (int i = 0; i < list->count(); ++i) {
            QCOMPARE(list->item(i)->checkState(), Qt::Unchecked);
        }
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(list, "paris");  // a town's name, not the start of the country
        QCOMPARE(list->currentItem()->text(), QString("France (Paris)"));
    }

    void remembered_choices_come_back() {
        harness.settings.values[{"Varnel", "Planner", "Days"}] = "mon,tue";
        harness.settings.values[{"Varnel", "Planner", "Places"}] = "ticked";
        harness.settings.values[{"Varnel", "Planner", "Ticked"}] = "France (Paris)|USA (Boston)";
        dlgPlanner* planner = OpenPlanner();
        const PlannerChoices choices = planner->Choices();
        QCOMPARE(choices.weekdays, *ParseWeekdays("mon,tue"));
        QCOMPARE(choices.places, PlannerPlaces::Ticked);
        QCOMPARE(choices.ticked, (std::vector<std::string>{"France (Paris)", "USA (Boston)"}));
        // The search starts from the month the main window shows.
        QCOMPARE(choices.firstMonth, window->State().CurrentMonth);

        // A place unticked stays unticked when the window opens again.
        auto* list = planner->findChild<QListWidget*>("lstPlaces");
        list->findItems("France (Paris)", Qt::MatchExactly).front()->setCheckState(Qt::Unchecked);
        planner->close();
        QCOMPARE(OpenPlanner()->Choices().ticked, std::vector<std::string>{"USA (Boston)"});
    }

    void nothing_ticked_and_nothing_found_are_said_plainly() {
        dlgPlanner* planner = OpenPlanner();
        planner->findChild<QRadioButton*>("optTicked")->setChecked(true);
        planner->findChild<QPushButton*>("cmdSearch")->click();
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        QVERIFY(harness.messages.shown[0].text.contains("No place is ticked"));
        QVERIFY(!planner->Searching());

        // Sydney in one month, Best only, with a major within a minute of sunrise or sunset.
        planner->findChild<QRadioButton*>("optSelected")->setChecked(true);
        planner->findChild<QSpinBox*>("spnMonths")->setValue(1);
        planner->findChild<QComboBox*>("cboMinRating")->setCurrentIndex(4);
        planner->findChild<QCheckBox*>("chkNearSun")->setChecked(true);
        planner->findChild<QSpinBox*>("spnNearSun")->setValue(0);
        planner->findChild<QPushButton*>("cmdSearch")->click();
        planner->WaitForSearch();
        QVERIFY(planner->Days().empty());
        QVERIFY(planner->findChild<QLabel*>("lblResult")->text().startsWith("No day from"));
        QVERIFY(!planner->findChild<QPushButton*>("cmdPdf")->isEnabled());
    }

    void cancel_stops_a_search() {
        dlgPlanner* planner = OpenPlanner();
        planner->findChild<QRadioButton*>("optTicked")->setChecked(true);
        SetChoicesTickingAll(planner);
        planner->findChild<QSpinBox*>("spnMonths")->setValue(24);
        planner->findChild<QPushButton*>("cmdSearch")->click();
        QVERIFY(planner->Searching());
        QVERIFY(planner->findChild<QPushButton*>("cmdCancel")->isEnabled());
        planner->findChild<QPushButton*>("cmdCancel")->click();
        planner->WaitForSearch();
        QVERIFY(planner->findChild<QPushButton*>("cmdSearch")->isEnabled());
        const QString said = planner->findChild<QLabel*>("lblResult")->text();
        // A search that ended before the Cancel got through lists its days instead.
        QVERIFY2(said.contains("cancelled") || !planner->Days().empty(), qPrintable(said));
    }

    void keyboard_enter_shows_a_result_and_tab_leaves_the_list() {
        dlgPlanner* planner = OpenPlanner();
        QVERIFY(QTest::qWaitForWindowExposed(planner));
        planner->findChild<QRadioButton*>("optFavourites")->setChecked(true);
        planner->findChild<QComboBox*>("cboFromMonth")->setCurrentIndex(0);
        planner->findChild<QSpinBox*>("spnFromYear")->setValue(2027);
        planner->findChild<QSpinBox*>("spnMonths")->setValue(3);
        planner->findChild<QPushButton*>("cmdSearch")->click();
        planner->WaitForSearch();
        QVERIFY(planner->Days().size() >= 2);
        auto* results = planner->findChild<QTableView*>("lstResults");
        planner->activateWindow();
        results->setFocus(Qt::TabFocusReason);
        QTest::keyClick(results, Qt::Key_Down);
        QTest::keyClick(results, Qt::Key_Down);
        const int row = results->currentIndex().row();
        QVERIFY(row >= 0);
        const PlanDay day = planner->Days()[static_cast<std::size_t>(row)];
        QTest::keyClick(results, Qt::Key_Return);
        QVERIFY(!planner->Searching());
        QCOMPARE(window->State().CurrentMonth, day.month);
        QCOMPARE(window->State().CurrentYear, day.year);

        results->setFocus(Qt::TabFocusReason);
        QTest::keyClick(results, Qt::Key_Tab);
        QVERIFY(!results->hasFocus());
    }

    void every_focusable_control_has_a_name() {
        dlgPlanner* planner = OpenPlanner();
        QStringList missing = ControlsWithoutName(planner);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        planner->findChild<QRadioButton*>("optSelected")->setChecked(true);
        planner->findChild<QPushButton*>("cmdYear")->click();
        auto* year = planner->findChild<dlgYearView*>("dlgYearView");
        QVERIFY(year != nullptr);
        missing = ControlsWithoutName(year);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    void year_at_a_glance_opens_in_a_viewer() {
        dlgPlanner* planner = OpenPlanner();
        planner->findChild<QRadioButton*>("optSelected")->setChecked(true);
        planner->findChild<QPushButton*>("cmdYear")->click();
        auto* year = planner->findChild<dlgYearView*>("dlgYearView");
        QVERIFY(year != nullptr);
        QCOMPARE(year->Viewer()->PageCount(), 1);
        QVERIFY(year->windowTitle().startsWith("Quintrel Year at a Glance: Australia (Sydney)"));
    }

  private:
    static void SetChoicesTickingAll(dlgPlanner* planner) {
        PlannerChoices choices = planner->Choices();
        for (const std::string& record : FivePlaces()) {
            choices.ticked.push_back(PlannerPlaceName(record));
        }
        planner->SetChoices(choices);
    }
};

}  // namespace quintrel::testing

QTEST_MAIN(quintrel::testing::MainWindowPlannerTest)
#include "MainWindowPlannerTest.moc"
