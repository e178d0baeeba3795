// Start-up and close-down of the main window: the place file, the saved settings, the
// window size rule and the order of the close-down steps.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>

#include "MainWindowHarness.h"
#include "support/AccessibleNames.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::testing;

namespace {

// Whether a length in logical pixels is the given length in twips, to the nearest pixel.
bool IsTwips(int pixels, int twips) {
    return std::abs(pixels * 15 - twips) <= 7;
}

}  // namespace

class MainWindowStartTest : public QObject {
    Q_OBJECT

  private slots:
    void startsWithLocsDatOnly() {
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        QCOMPARE(Ui(*window).cboPlaces->count(), 5);
        QCOMPARE(Ui(*window).cboPlaces->currentText(), QString("Australia (Sydney)"));
        QVERIFY(harness.messages.shown.empty());
        // The file's final line break gave an empty entry, so the list counts as changed.
        QVERIFY(window->Places().LocationsChanged);
        QVERIFY(Ui(*window).arvReport->ReportSource() != nullptr);
        QCOMPARE(window->Table().rows.size(), std::size_t{30});  // June
    }

    void startsWithLocsBakOnly() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces(), "locs.bak");
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(Ui(*window).cboPlaces->count(), 5);
        QCOMPARE(ReadWholeFile(harness.PathOf("locs.dat")), FileText(FivePlaces()));
        QVERIFY(harness.messages.shown.empty());
    }

    void endsWithoutEitherFile() {
        WindowHarness harness;
        harness.settings.Set("Month", "3");
        fMain window(harness.Services());
        QVERIFY(!window.Form_Load());
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        const auto& shown = harness.messages.shown.front();
        QCOMPARE(shown.kind, RecordingMessageBoxes::Kind::Critical);
        QCOMPARE(shown.title, QString("Missing File(s)"));
        QCOMPARE(shown.text,
                 QString("Required data file locs.dat/bak is not in the application directory - "
                         "exiting"));
        // Nothing written: no settings, no files.
        QVERIFY(harness.settings.writes.empty());
        QVERIFY(QDir(harness.directory.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(!window.isVisible());
        QCOMPARE(harness.thanksShown, 0);
    }

    void firstRunShowsThisMonthLargeEnoughAndSavesIt() {
        WindowHarness harness;
        harness.thisMonth = 9;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        QCOMPARE(Ui(*window).cboMonth->currentText(), QString("09 September"));
        QCOMPARE(Ui(*window).txtYear->text(), QString("2026"));
        QCOMPARE(Ui(*window).cboPlaces->currentIndex(), 0);
        // The whole page width at the viewer's 75% (8.5 inches) and room for 15 rows,
        // within the screen; the design's own size showed two rows.
        const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
        QVERIFY(window->width() >= std::min(640, available.width() - 8));
        QVERIFY(window->height() >= std::min(720, available.height() - 27));
        QVERIFY(window->OuterWidthTwips() <= std::max(9300, available.width() * 15));
        QVERIFY(window->OuterHeightTwips() <= std::max(4305, available.height() * 15));
        // A whole page at a readable zoom to start with, and every report tool in view when
        // the desktop is wide enough for them.
        QCOMPARE(Ui(*window).arvReport->Fit(), ReportViewer::ZoomFit::Page);
        const int tools = Ui(*window).arvReport->ToolBar()->sizeHint().width();
        QVERIFY(window->width() >= std::min(tools, available.width() - 8));
        window->show();
        window->close();
        QCOMPARE(harness.settings.Get("Month"), std::string("9"));
        QCOMPARE(harness.settings.Get("Year"), std::string("2026"));
        QCOMPARE(harness.settings.Get("Index"), std::string("0"));
        QCOMPARE(harness.settings.Get("Height"), std::to_string(FirstRun().WindowHeight));
        QCOMPARE(harness.settings.Get("Width"), std::to_string(window->OuterWidthTwips()));
        QCOMPARE(harness.settings.Get("Tides"), std::string(""));
        QCOMPARE(harness.thanksShown, 1);
    }

    void indexBeyondTheListSelectsTheFirstPlace() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        harness.settings.Set("Index", "7");
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(Ui(*window).cboPlaces->currentIndex(), 0);
        window->close();
        QCOMPARE(harness.settings.Get("Index"), std::string("0"));
    }

    void savedIndexSelectsItsPlace() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        harness.settings.Set("Index", "3");
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(Ui(*window).cboPlaces->currentText(), QString("Pakistan (Karachi)"));
        QCOMPARE(window->Place().PlaceZone, 5.0f);
        QCOMPARE(Ui(*window).arvReport->ReportSource()->Caption("lblPageHeader"),
                 std::string("Quintrel For Pakistan (Karachi) for June 2026"));
    }

    void smallSavedWidthOpensAtTheMinimum() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        harness.settings.Set("Width", "100");
        harness.settings.Set("Height", "0");
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(window->OuterWidthTwips(), 9300);
        QCOMPARE(window->OuterHeightTwips(), 4305);
        window->show();
        window->close();
        QCOMPARE(harness.settings.Get("Width"), std::string("9300"));
        QCOMPARE(harness.settings.Get("Height"), std::string("4305"));
    }

    void savedSizeIsRestored() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        harness.settings.Set("Width", "12000");
        harness.settings.Set("Height", "7500");
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(window->OuterWidthTwips(), 12000);
        QCOMPARE(window->OuterHeightTwips(), 7500);
        window->show();
        window->close();
        QCOMPARE(harness.settings.Get("Width"), std::string("12000"));
        QCOMPARE(harness.settings.Get("Height"), std::string("7500"));
    }

    void resizeRuleKeepsExitAndAboutOnTheRightEdge_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("expectedWidth");
        QTest::addColumn<int>("expectedHeight");
        QTest::newRow("larger") << 15000 << 9000 << 15000 << 9000;
        QTest::newRow("below the minimum") << 6000 << 3000 << 9300 << 4305;
        QTest::newRow("only wider") << 11250 << 4305 << 11250 << 4305;
    }
    void resizeRuleKeepsExitAndAboutOnTheRightEdge() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, expectedWidth);
        QFETCH(int, expectedHeight);
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->SetOuterWidthTwips(width);
        window->SetOuterHeightTwips(height);
        QTRY_COMPARE(window->OuterWidthTwips(), expectedWidth);
        QCOMPARE(window->OuterHeightTwips(), expectedHeight);
        const QRect exit = Ui(*window).cmdExit->geometry();
        const QRect about = Ui(*window).cmdAbout->geometry();
        // Exit ends 140 twips inside the outer width, About 40 twips before Exit starts.
        QVERIFY(IsTwips(exit.x() + exit.width(), expectedWidth - 140));
        QVERIFY(IsTwips(exit.x(), expectedWidth - 140 - 645));
        QVERIFY(IsTwips(about.x() + about.width(), expectedWidth - 140 - 645 - 40));
        // Tides and Calculate follow, the place list takes the width between, and the
        // report fills the client area below the top row, leaving no strip.
        QVERIFY(
            IsTwips(Ui(*window).cmdCalc->x(), expectedWidth - 140 - 645 - 40 - 645 - 765 - 855));
        QVERIFY(IsTwips(Ui(*window).cboPlaces->x() + Ui(*window).cboPlaces->width(),
                        expectedWidth - 140 - 645 - 40 - 645 - 765 - 885));
        QCOMPARE(Ui(*window).arvReport->width(), window->width());
        QCOMPARE(Ui(*window).arvReport->geometry().bottom(), window->height() - 1);
        QCOMPARE(Ui(*window).txtYear->geometry(), QRect(162, 3, 36, 19));
        QCOMPARE(window->State().WindowWidth, expectedWidth);
        QCOMPARE(window->State().WindowHeight, expectedHeight);
    }

    // A 14-point desktop font grows the top row with it, and the smallest size with it.
    void theTopRowFollowsALargerDesktopFont() {
        const QFont before = QApplication::font();
        QFont large = before;
        large.setPointSizeF(14);
        QApplication::setFont(large);
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        harness.settings.Set("Width", "9300");
        harness.settings.Set("Height", "4305");
        auto window = harness.Open();
        QApplication::setFont(before);
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->OuterWidthTwips(), 14400);  // 9180 x 1.56 and the frame's 120
        QCOMPARE(window->OuterHeightTwips(), 6465);
        QVERIFY(window->font().pointSizeF() > 12);
        QWidgetList row;
        for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control != Ui(*window).arvReport && control->isVisibleTo(window.get())) {
                row << control;
            }
        }
        std::sort(row.begin(), row.end(),
                  [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        for (qsizetype i = 0; i < row.size(); ++i) {
            QWidget* control = row[i];
            const QString name = control->objectName();
            if (i + 1 < row.size()) {
                QVERIFY2(control->geometry().right() < row[i + 1]->x(), qPrintable(name));
            }
            QVERIFY2(control->geometry().bottom() < Ui(*window).arvReport->y(), qPrintable(name));
            if (auto* box = qobject_cast<QLineEdit*>(control)) {
                // The year's four digits show whole.
                QVERIFY(box->fontMetrics().horizontalAdvance(box->text()) + 8 <= box->width());
            } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                // A caption with a little room each side (a style's smallest button width
                // is no caption's need).
                const QString caption = button->text().remove(QLatin1Char('&'));
                QVERIFY2(button->fontMetrics().horizontalAdvance(caption) + 6 <= button->width() &&
                             button->fontMetrics().height() <= button->height(),
                         qPrintable(caption));
            } else if (qobject_cast<QComboBox*>(control) == nullptr) {
                const QSize needed = control->sizeHint();
                QVERIFY2(needed.width() <= control->width() + 1 &&
                             needed.height() <= control->height() + 1,
                         qPrintable(QStringLiteral("%1 needs %2 x %3, has %4 x %5")
                                        .arg(name)
                                        .arg(needed.width())
                                        .arg(needed.height())
                                        .arg(control->width())
                                        .arg(control->height())));
            }
        }
    }

    void minimisingDoesNotRecordTheSize() {
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        window->show();
        window->SetOuterWidthTwips(12000);
        QCOMPARE(window->State().WindowWidth, 12000);
        window->showMinimized();
        QCoreApplication::processEvents();
        QCOMPARE(window->State().WindowWidth, 12000);
    }

    void designPositionsAndNames() {
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Quintrel"));
        const char* names[] = {"arvReport", "lblDate",  "cboMonth", "lblYr",     "txtYear",
                               "lblPlus",   "lblMinus", "cmdPlace", "cboPlaces", "cmdCalc",
                               "cmdTides",  "cmdAbout", "cmdExit"};
        for (const char* name : names) {
            QVERIFY2(window->findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
        }
        QCOMPARE(Ui(*window).arvReport->y(), 27);
        QCOMPARE(Ui(*window).cmdPlace->text(), QString("&Place"));
        QCOMPARE(Ui(*window).cmdCalc->text(), QString("&Calculate"));
        // The year buttons are ordinary buttons, not 13 x 10 pixel labels.
        QVERIFY(Ui(*window).lblPlus->width() >= 22 && Ui(*window).lblPlus->height() >= 22);
    }

    // Tab goes in the order of use: what to compute, the report and its tools in toolbar
    // order (the exports added after start-up among them), then the rest of the top row.
    void tabFollowsTheOrderOfUse() {
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const auto nameOf = [](QWidget* widget) {
            if (auto* tool = qobject_cast<QToolButton*>(widget); tool && tool->defaultAction()) {
                return tool->defaultAction()->text();
            }
            while (widget != nullptr && widget->objectName().isEmpty()) {
                widget = widget->parentWidget();
            }
            return widget ? widget->objectName() : QString();
        };
        // Wide enough for every tool: an overflowing toolbar hides the last ones behind its
        // extension button.
        window->resize(1600, window->height());
        const QStringList expected = {
            "cboMonth",        "txtYear",    "cmdPlace",      "cboPlaces",  "cmdCalc",
            "reportPage",      "Print",      "Copy",          "PDF Export", "CSV Export",
            "Calendar Export", "Tide Table", "Transit Times", "cmdPlanner", "cmdLog",
            "cmdTides",        "cmdAbout",   "cmdExit"};
        QStringList order;
        for (int i = 0; i < 40; ++i) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus != nullptr);
            const QString name = nameOf(focus);
            if (expected.contains(name) && !order.contains(name)) {
                order << name;
            }
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QVERIFY2(order == expected, qPrintable(order.join(QStringLiteral(", "))));
    }

    void everyFocusableControlHasAName() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        auto window = harness.Open();
        QVERIFY(window);
        window->show();
        const QStringList missing = ControlsWithoutName(window.get());
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    void placeMenuOpensUnderItsButtonWithAccessKeys() {
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_P, Qt::AltModifier);
        QMenu* menu = Ui(*window).popAddEditDel;
        QTRY_VERIFY(menu->isVisible());
        const QPoint under =
            Ui(*window).cmdPlace->mapToGlobal(QPoint(0, Ui(*window).cmdPlace->height()));
        QCOMPARE(menu->pos(), under);
        QCOMPARE(Ui(*window).miAddEditDel[0]->text(), QString("&Add Location"));
        QCOMPARE(Ui(*window).miAddEditDel[1]->text(), QString("&Edit Location"));
        QCOMPARE(Ui(*window).miAddEditDel[2]->text(), QString("&Delete Location"));
        QTest::keyClick(menu, Qt::Key_A);  // the access key picks Add Location
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(harness.formCalls.size(), std::size_t{1});
        QCOMPARE(harness.formCalls.front().second, 1);
    }

    void closeDownSavesPlacesThenSettingsThenThanksOnce() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        WriteWholeFile(harness.PathOf("locs.bak"), "old backup\r\n");
        auto window = harness.Open();
        QVERIFY(window);
        bool settingsWrittenBeforeThanks = false;
        std::string backupAtThanks;
        harness.onThanks = [&] {
            settingsWrittenBeforeThanks = harness.settings.writes.size() == 6;
            backupAtThanks = ReadWholeFile(harness.PathOf("locs.bak"));
        };
        window->show();
        QTest::mouseClick(Ui(*window).cmdExit, Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QCOMPARE(harness.thanksShown, 1);
        QVERIFY(settingsWrittenBeforeThanks);
        // Nothing was changed, so neither file was written.
        QCOMPARE(backupAtThanks, std::string("old backup\r\n"));
        QCOMPARE(ReadWholeFile(harness.PathOf("locs.dat")), FileText(FivePlaces()));
        // Settings keys in the order they are written.
        std::vector<std::string> keys;
        for (const auto& write : harness.settings.writes) {
            keys.push_back(write.key);
        }
        QCOMPARE(keys,
                 (std::vector<std::string>{"Month", "Year", "Index", "Height", "Width", "Tides"}));
        // A second close (the close box after Exit) does not run the close-down again.
        window->close();
        QCOMPARE(harness.thanksShown, 1);
    }

    void closeBoxRunsTheSameCloseDown() {
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        window->show();
        QVERIFY(window->close());
        QCOMPARE(harness.thanksShown, 1);
        QCOMPARE(harness.settings.writes.size(), std::size_t{6});
        QVERIFY(!QFile::exists(harness.PathOf("locs.bak")));  // nothing changed, nothing written
    }

    void aboutOpensTheAboutWindow() {
        WindowHarness harness;
        auto window = harness.OpenWithFivePlaces();
        QVERIFY(window);
        QTest::mouseClick(Ui(*window).cmdAbout, Qt::LeftButton);
        QCOMPARE(harness.aboutShown, 1);
    }
};

QTEST_MAIN(MainWindowStartTest)
#include "MainWindowStartTest.moc"
