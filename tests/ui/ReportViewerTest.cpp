// The report viewer as the main window uses it: reports replaced one after another, two
// tools inserted once, the user's zoom kept across reports, tool clicks carrying the tool.

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "ReportTestTables.h"
#include "astro/CoreError.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::test;

namespace {

std::unique_ptr<arReport> Month(int days, std::int16_t month = 1) {
    return NewMonthReport(HandMadeTable(days, month), SydneyRecord(), "Australia - NSW (Sydney)");
}

class BrokenReport : public arReport {
  public:
    using arReport::arReport;
    void ActiveReport_FetchData(bool&) override { throw CoreError("no rows today"); }
};

QStringList Captions(const ReportViewer& viewer) {
    QStringList captions;
    for (QAction* tool : viewer.Tools())
        captions << (tool->isSeparator() ? "|" : tool->text());
    return captions;
}

// Separators shown never stand first, last or next to each other.
bool SeparatorsTidy(const ReportViewer& viewer) {
    QStringList shown;
    for (QAction* tool : viewer.Tools()) {
        if (tool->isVisible())
            shown << (tool->isSeparator() ? "|" : "tool");
    }
    const QString joined = shown.join(',');
    return !joined.startsWith('|') && !joined.endsWith('|') && !joined.contains("|,|");
}

QAction* Tool(const ReportViewer& viewer, const QString& caption) {
    for (QAction* tool : viewer.Tools()) {
        if (tool->text() == caption)
            return tool;
    }
    return nullptr;
}

}  // namespace

class ReportViewerTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // Letter paper, so a long month runs to two pages and paging has work to do.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void theTwoToolsInsertedOnceStayOnceThroughSeveralReports() {
        ReportViewer viewer;
        const QStringList builtIn = Captions(viewer);
        QVERIFY(SeparatorsTidy(viewer));
        bool toolbarPending = true;
        for (std::int16_t month = 1; month <= 4; ++month) {
            viewer.SetReportSource(Month(28 + month % 4, month));
            if (toolbarPending) {
                viewer.InsertTool(3, "PDF Export");
                viewer.InsertTool(4, "CSV Export");
                toolbarPending = false;
            }
            viewer.SetZoom(75);
        }
        const QStringList captions = Captions(viewer);
        QCOMPARE(captions.count("PDF Export"), 1);
        QCOMPARE(captions.count("CSV Export"), 1);
        QCOMPARE(captions.indexOf("PDF Export"), 3);
        QCOMPARE(captions.indexOf("CSV Export"), 4);
        QCOMPARE(captions.size(), builtIn.size() + 2);
        QVERIFY(SeparatorsTidy(viewer));
        QVERIFY(viewer.ReportSource()->Title().find("April 2004") != std::string::npos);
    }

    void theUsersZoomAndFitStayAcrossReports() {
        ReportViewer viewer;
        viewer.resize(900, 700);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.SetReportSource(Month(31));
        viewer.SetZoom(75);
        Tool(viewer, "Zoom In")->trigger();
        Tool(viewer, "Zoom In")->trigger();
        viewer.SetReportSource(Month(30, 2));
        QCOMPARE(viewer.Zoom(), 125);

        auto* choice = viewer.findChild<QComboBox*>("zoomChoice");
        choice->setCurrentIndex(choice->findText("Fit width"));
        emit choice->activated(choice->currentIndex());
        QCOMPARE(viewer.Fit(), ReportViewer::ZoomFit::Width);
        const int fitWidth = viewer.Zoom();
        QVERIFY2(fitWidth > 75 && fitWidth < 125, qPrintable(QString::number(fitWidth)));
        viewer.SetReportSource(Month(28, 3));
        QCOMPARE(viewer.Zoom(), fitWidth);
        // A whole page in 700 pixels is smaller than the width alone; a wider view zooms in.
        viewer.SetFit(ReportViewer::ZoomFit::Page);
        QVERIFY(viewer.Zoom() < fitWidth);
        QCOMPARE(choice->currentText(), QString("Fit page"));
        viewer.resize(900, 1400);
        QVERIFY(viewer.Zoom() > 75);
        viewer.SetZoom(50);
        QCOMPARE(viewer.Fit(), ReportViewer::ZoomFit::None);
        QCOMPARE(choice->currentText(), QString("50%"));
    }

    // The month table's 8.5-point lines need 80% to be 9 pixels high.
    void fitPageStopsAtTheReadableZoomAndSaysWhy() {
        ReportViewer viewer;
        viewer.resize(900, 700);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.SetReportSource(Month(31));
        viewer.SetFit(ReportViewer::ZoomFit::Page);
        QCOMPARE(viewer.Zoom(), 80);
        QVERIFY(viewer.FitNoteShown());
        auto* note = viewer.findChild<QLabel*>("fitNote");
        QVERIFY(note->text().contains("too small for a whole page"));
        auto* choice = viewer.findChild<QComboBox*>("zoomChoice");
        QCOMPARE(choice->currentText(), QString("Fit page"));
        QVERIFY(choice->toolTip().contains("80%"));
        // Room for a whole page: no note, and a chosen zoom never shows one.
        viewer.resize(1000, 1300);
        QTRY_VERIFY(!viewer.FitNoteShown());
        QVERIFY(viewer.Zoom() > 80);
        viewer.resize(900, 700);
        QTRY_VERIFY(viewer.FitNoteShown());
        viewer.SetZoom(50);
        QVERIFY(!viewer.FitNoteShown());
        // Pages without a table (a day picture, the year) have no floor.
        ReportDocument picture = viewer.Document();
        picture.readableTextPoints = 0;
        viewer.SetDocument(picture);
        viewer.SetFit(ReportViewer::ZoomFit::Page);
        QVERIFY(viewer.Zoom() < 80);
        QVERIFY(!viewer.FitNoteShown());
    }

    void everyToolIsReachableByTabAndEnter() {
        ReportViewer viewer;
        viewer.SetReportSource(Month(31));
        QSignalSpy clicks(&viewer, &ReportViewer::ToolClick);
        QAction* tool = viewer.InsertTool(3, "PDF Export");
        QWidget* button = viewer.ToolBar()->widgetForAction(tool);
        QVERIFY(button->focusPolicy() & Qt::TabFocus);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(Tool(viewer, "Print")->shortcut(), QKeySequence(QKeySequence::Print));
    }

    void copyPutsThePictureAndTheTableAsText() {
        ReportViewer viewer;
        viewer.SetReportSource(Month(31));
        Tool(viewer, "Copy")->trigger();
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied->hasImage());
        const QStringList lines = copied->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 32);
        QVERIFY(lines.first().startsWith("Date\tDay\tSun Rise\t"));
        QVERIFY(lines.at(1).startsWith("20040101\t"));
        QCOMPARE(lines.at(1).count('\t'), 13);
    }

    void zoomIsClampedAndStepsBetweenChoices_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("afterZoomOut");
        QTest::newRow("far too small") << 1 << 10 << 10;
        QTest::newRow("far too large") << 5000 << 400 << 300;
        QTest::newRow("between steps") << 80 << 80 << 75;
        QTest::newRow("on a step") << 100 << 100 << 75;
    }

    void zoomIsClampedAndStepsBetweenChoices() {
        QFETCH(int, set);
        QFETCH(int, expected);
        QFETCH(int, afterZoomOut);
        ReportViewer viewer;
        viewer.SetZoom(set);
        QCOMPARE(viewer.Zoom(), expected);
        Tool(viewer, "Zoom Out")->trigger();
        QCOMPARE(viewer.Zoom(), afterZoomOut);
    }

    void aToolClickCarriesTheToolAndItsCaption() {
        ReportViewer viewer;
        viewer.SetReportSource(Month(31));
        QAction* pdf = viewer.InsertTool(3, "PDF Export");
        viewer.InsertTool(4, "CSV Export");
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QSignalSpy clicks(&viewer, &ReportViewer::ToolClick);
        auto* button = qobject_cast<QToolButton*>(viewer.ToolBar()->widgetForAction(pdf));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        auto* clicked = clicks.at(0).at(0).value<QAction*>();
        QCOMPARE(clicked, pdf);
        QCOMPARE(clicked->text(), QString("PDF Export"));
        // Built-in tools report their clicks too; the window ignores their captions.
        Tool(viewer, "Next Page")->trigger();
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(clicks.at(1).at(0).value<QAction*>()->text(), QString("Next Page"));
    }

    void pagingMovesThroughThePages() {
        ReportViewer viewer;
        viewer.resize(700, 500);
        viewer.SetReportSource(Month(31));
        QCOMPARE(viewer.PageCount(), 2);
        QCOMPARE(viewer.CurrentPage(), 0);
        QVERIFY(!Tool(viewer, "Previous Page")->isEnabled());
        Tool(viewer, "Last Page")->trigger();
        QCOMPARE(viewer.CurrentPage(), 1);
        QVERIFY(!Tool(viewer, "Next Page")->isEnabled());
        QCOMPARE(viewer.findChild<QSpinBox*>("pageNumber")->value(), 2);
        Tool(viewer, "Previous Page")->trigger();
        QCOMPARE(viewer.CurrentPage(), 0);
        viewer.ShowPage(99);
        QCOMPARE(viewer.CurrentPage(), 1);
        viewer.findChild<QSpinBox*>("pageNumber")->setValue(1);
        QCOMPARE(viewer.CurrentPage(), 0);
        // A new, shorter report starts again at its first page.
        viewer.ShowPage(1);
        viewer.SetReportSource(Month(28, 2));
        QCOMPARE(viewer.PageCount(), 1);
        QCOMPARE(viewer.CurrentPage(), 0);
    }

    void aFailingReportLeavesThePreviousOneShown() {
        ReportViewer viewer;
        viewer.SetReportSource(Month(31));
        const arReport* shown = viewer.ReportSource();
        const int pages = viewer.PageCount();
        QVERIFY_THROWS_EXCEPTION(CoreError,
                                 viewer.SetReportSource(std::make_unique<BrokenReport>()));
        QCOMPARE(viewer.ReportSource(), shown);
        QCOMPARE(viewer.PageCount(), pages);
    }

    void thePagesAreDrawnOnScreen() {
        ReportViewer viewer;
        viewer.resize(900, 700);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.SetReportSource(Month(31));
        viewer.SetZoom(75);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        const QImage shot = viewer.grab().toImage();
        const QString path = qEnvironmentVariable("QUINTREL_REPORT_SHOT");
        if (!path.isEmpty())
            shot.save(path);
        // Below the toolbar: a white page with dark print on it.
        int white = 0;
        int dark = 0;
        for (int y = viewer.ToolBar()->height() + 40; y < shot.height(); y += 3) {
            for (int x = 0; x < shot.width(); x += 3) {
                const QColor c = shot.pixelColor(x, y);
                if (c.lightness() > 250)
                    ++white;
                if (c.lightness() < 60)
                    ++dark;
            }
        }
        QVERIFY2(white > 10000, qPrintable(QString::number(white)));
        QVERIFY2(dark > 200, qPrintable(QString::number(dark)));
    }
};

QTEST_MAIN(ReportViewerTest)
#include "ReportViewerTest.moc"
