// The day picture window opened from a day line of the month report.
#include <QAction>
#include <QScrollArea>
#include <QTest>
#include <algorithm>

#include "MainWindowHarness.h"
#include "ui/dlgDayPicture.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::testing;

namespace {

// The desk's margin around the pages on the viewer's canvas, in pixels.
constexpr int kPageGap = 6;

// Where day line `row` of the report is drawn on the viewer's page canvas.
QPoint DayLinePoint(ReportViewer& viewer, int row) {
    QWidget* canvas = viewer.findChild<QScrollArea*>()->widget();
    const ReportPage& page = viewer.Document().pages.front();
    for (const PageRow& line : page.rows) {
        if (line.row == row) {
            const double scale = viewer.Zoom() / 100.0 * canvas->logicalDpiX() / 1440.0;
            const int pageWidth = static_cast<int>(viewer.Document().pageWidthTwips * scale);
            const int left = std::max(kPageGap, (canvas->width() - pageWidth) / 2);
            return {left + pageWidth / 2,
                    kPageGap + static_cast<int>((line.top + line.bottom) / 2 * scale)};
        }
    }
    return {};
}

}  // namespace

class MainWindowDayPictureTest : public QObject {
    Q_OBJECT

    WindowHarness* harness_ = nullptr;
    std::unique_ptr<fMain> window_;

    dlgDayPicture* DayWindow() { return window_->findChild<dlgDayPicture*>("dlgDayPicture"); }

  private slots:
    void init() {
        harness_ = new WindowHarness;
        harness_->WritePlaces(FivePlaces());
        harness_->settings.Set("Month", "1");
        harness_->settings.Set("Year", "2004");
        window_ = harness_->Open();
        QVERIFY(window_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        delete harness_;
        harness_ = nullptr;
    }

    void doubleClickOnADayLineOpensThatDay() {
        QWidget* canvas = Ui(*window_).arvReport->findChild<QScrollArea*>()->widget();
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, DayLinePoint(*Ui(*window_).arvReport, 6));
        dlgDayPicture* day = DayWindow();
        QVERIFY(day);
        QCOMPARE(day->windowTitle(),
                 QString("Quintrel For Australia (Sydney) on Tuesday 6 January 2004"));
        QCOMPARE(day->arvDay->PageCount(), 1);
    }

    void enterOnAChosenLineOpensIt() {
        QWidget* canvas = Ui(*window_).arvReport->findChild<QScrollArea*>()->widget();
        QTest::mouseClick(canvas, Qt::LeftButton, {}, DayLinePoint(*Ui(*window_).arvReport, 3));
        QCOMPARE(Ui(*window_).arvReport->SelectedRow(), 3);
        QVERIFY(!DayWindow());
        QTest::keyClick(Ui(*window_).arvReport, Qt::Key_Return);
        QVERIFY(DayWindow());
        QCOMPARE(DayWindow()->View().Picture().day, 3);
    }

    void arrowKeysChooseADayLineAndEnterOpensIt() {
        ReportViewer* report = Ui(*window_).arvReport;
        QWidget* canvas = report->findChild<QScrollArea*>()->widget();
        QVERIFY(canvas->focusPolicy() & Qt::TabFocus);
        canvas->setFocus(Qt::TabFocusReason);
        for (const auto& [key, row] : {std::pair{Qt::Key_Down, 1},
                                       {Qt::Key_Down, 2},
                                       {Qt::Key_End, 31},
                                       {Qt::Key_Up, 30},
                                       {Qt::Key_Home, 1},
                                       {Qt::Key_Up, 1},
                                       {Qt::Key_Down, 2}}) {
            QTest::keyClick(canvas, key);
            QCOMPARE(report->SelectedRow(), row);
        }
        QVERIFY(!DayWindow());
        QTest::keyClick(canvas, Qt::Key_Return);
        QVERIFY(DayWindow());
        QCOMPARE(DayWindow()->View().Picture().day, 2);
    }

    void theDayToolsStepAcrossTheMonthEnd() {
        emit Ui(*window_).arvReport->DayLineActivated(31);
        dlgDayPicture* day = DayWindow();
        QVERIFY(day);
        day->toolNextDay->trigger();
        QCOMPARE(day->View().Picture().month, 2);
        QCOMPARE(day->View().Picture().day, 1);
        day->toolPreviousDay->trigger();
        day->toolPreviousDay->trigger();
        QCOMPARE(day->View().Picture().day, 30);
        QVERIFY(day->windowTitle().endsWith("30 January 2004"));
    }

    void pdfExportWritesTheDayShown() {
        emit Ui(*window_).arvReport->DayLineActivated(2);
        const QString path = harness_->directory.filePath("day.pdf");
        harness_->saveDialog.script.push_back(path);
        QAction* tool = DayWindow()->findChild<QAction*>("toolPdfExport");
        QVERIFY(tool);
        tool->trigger();
        QVERIFY(harness_->messages.shown.empty());
        QVERIFY(ReadWholeFile(path).rfind("%PDF", 0) == 0);
    }
};

QTEST_MAIN(MainWindowDayPictureTest)
#include "MainWindowDayPictureTest.moc"
