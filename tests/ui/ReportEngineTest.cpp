// The report engine: the order of a report's events, and what lands on which page.

#include <QTest>
#include <stdexcept>

#include "ReportTestTables.h"
#include "astro/CoreError.h"
#include "ui/report/ReportEngine.h"

using namespace quintrel;
using namespace quintrel::test;

namespace {

// Writes down every event the engine raises.
class WatchedReport : public arReport {
  public:
    explicit WatchedReport(MonthTable table, int failOnFetch = 0)
        : arReport(std::move(table)), failOnFetch_(failOnFetch) {}
    void ActiveReport_ReportStart() override {
        events << "start";
        arReport::ActiveReport_ReportStart();
    }
    void ActiveReport_DataInitialize() override {
        events << "init";
        arReport::ActiveReport_DataInitialize();
    }
    void ActiveReport_FetchData(bool& eof) override {
        events << "fetch";
        if (++fetches_ == failOnFetch_)
            throw CoreError("fetch failed");
        arReport::ActiveReport_FetchData(eof);
    }
    void ActiveReport_ReportEnd() override {
        events << "end";
        arReport::ActiveReport_ReportEnd();
    }
    QStringList events;

  private:
    int failOnFetch_;
    int fetches_ = 0;
};

PageSetup Paper(QPageSize::PageSizeId id) {
    PageSetup setup;
    setup.paper = id;
    return setup;
}

std::unique_ptr<arReport> SydneyReport(int days) {
    return NewMonthReport(HandMadeTable(days), SydneyRecord(), "Australia - NSW (Sydney)");
}

// The texts of a page's detail lines: the day name item follows the day number item.
QStringList DayNamesOn(const ReportPage& page) {
    QStringList names;
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::Kind::Text && item.text.endsWith(QLatin1String("day")) &&
            item.box.height() == 227 && item.box.width() == 1020) {
            names << item.text;
        }
    }
    return names;
}

int Occurrences(const QString& text, const QString& what) {
    return static_cast<int>(text.count(what));
}

}  // namespace

class ReportEngineTest : public QObject {
    Q_OBJECT

  private slots:
    void eventsComeInTheEngineOrder() {
        WatchedReport report(HandMadeTable(28));
        const ReportDocument document = RunReport(report, Paper(QPageSize::A4));
        QStringList expected{"start", "init"};
        for (int i = 0; i < 29; ++i)
            expected << "fetch";
        expected << "end";
        QCOMPARE(report.events, expected);
        int detailLines = 0;
        for (const ReportPage& page : document.pages)
            detailLines += DayNamesOn(page).size();
        QCOMPARE(detailLines, 28);
    }

    void reportEndRunsWhenAFetchFails() {
        WatchedReport report(HandMadeTable(10), 4);
        report.Printer().Orientation = 2;
        QVERIFY_THROWS_EXCEPTION(CoreError, RunReport(report));
        QCOMPARE(report.events.last(), QString("end"));
        QCOMPARE(report.Printer().Orientation, 2);
    }

    void aLongMonthOnLetterCarriesTheHeaderOnEveryPageAndTheNotesOnce() {
        const auto report = SydneyReport(31);
        const ReportDocument document = RunReport(*report, Paper(QPageSize::Letter));
        QCOMPARE(document.pages.size(), std::size_t(2));
        QCOMPARE(document.pageWidthTwips, 12240);
        QCOMPARE(document.pageHeightTwips, 15840);

        QString all;
        for (const ReportPage& page : document.pages) {
            const QString text = PageText(page);
            all += text + '\n';
            QCOMPARE(Occurrences(text, Q(report->Caption("lblPageHeader"))), 1);
            QCOMPARE(Occurrences(text, "Lattitude: 33"), 1);
            QCOMPARE(Occurrences(text, "<------Moon------>"), 1);
            QCOMPARE(Occurrences(text, "Rating For Day"), 1);
        }
        // The report header once, at the top of the first page.
        QCOMPARE(Occurrences(all, "Quintrel - Version " QUINTREL_PROJECT_VERSION), 1);
        QVERIFY(
            PageText(document.pages[0]).startsWith("Quintrel - Version " QUINTREL_PROJECT_VERSION));
        // The notes once, at the end.
        QCOMPARE(Occurrences(all, "Note: DST has been factored"), 1);
        QVERIFY(PageText(document.pages[1]).endsWith("www.wxtide32.com"));
        // All 31 days, in order, and the closing picture after the notes.
        QStringList days = DayNamesOn(document.pages[0]) + DayNamesOn(document.pages[1]);
        QCOMPARE(days.size(), 31);
        QCOMPARE(days.first(), QString("Thursday"));
        QCOMPARE(days.last(), QString("Saturday"));
        QCOMPARE(document.pages[1].items.back().picture, QString("closing"));
    }

    void aLongMonthFitsOneA4Page() {
        const auto report = SydneyReport(31);
        const ReportDocument document = RunReport(*report, Paper(QPageSize::A4));
        QCOMPARE(document.pages.size(), std::size_t(1));
        QCOMPARE(DayNamesOn(document.pages[0]).size(), 31);
    }

    void pagesKeepTheLayoutBoxesCentredOnThePaper() {
        const auto report = SydneyReport(3);
        const ReportDocument document = RunReport(*report, Paper(QPageSize::Letter));
        // (12240 - 9411) / 2 = 1414 twips left of the content; half an inch at the top.
        int checked = 0;
        for (const PageItem& item : document.pages[0].items) {
            if (item.text == "Quintrel - Version " QUINTREL_PROJECT_VERSION) {
                QCOMPARE(item.box, QRect(1414 + 113, 720 + 113, 9241, 567));
                ++checked;
            }
            if (item.text == "05:02") {  // day 2's sunrise: the second detail band
                QCOMPARE(item.box, QRect(1414 + 1474, 720 + 1065 + 1185 + 255, 624, 227));
                ++checked;
            }
        }
        QCOMPARE(checked, 2);
    }

    void dayLinesAreFoundByTheirHeightAcrossPages() {
        const auto report = SydneyReport(31);
        // A6 is too short for a month: the day lines run on over two pages.
        const ReportDocument document = RunReport(*report, Paper(QPageSize::A6));
        QVERIFY(document.pages.size() >= 2 && !document.pages[1].rows.empty());
        const int firstTop = 720 + 1065 + 1185;
        QCOMPARE(RowAtHeight(document.pages[0], firstTop), 1);
        QCOMPARE(RowAtHeight(document.pages[0], firstTop + 255 + 254), 2);
        QCOMPARE(RowAtHeight(document.pages[0], firstTop - 1), 0);  // the column headings
        // The rows continue on the second page, under its own page header.
        const int rowsOnFirst = static_cast<int>(document.pages[0].rows.size());
        QCOMPARE(document.pages[1].rows.front().row, rowsOnFirst + 1);
        QCOMPARE(document.pages[1].rows.back().row, 31);
    }

    void detailTextsAreTheRowsValues() {
        const auto report = SydneyReport(7);
        const QString text = PageText(RunReport(*report).pages[0]);
        // Day 5 is a polar day, day 3 has no moonrise, day 7 no second major time.
        QVERIFY(text.contains("5\nMonday\nnever\nsets\n14:05"));
        QVERIFY(text.contains("3\nSaturday\n05:03\n20:03\n:\n01:03"));
        QVERIFY(text.contains("07:07\n:\n01:07"));
    }

    void aReportCanRunTwiceWithTheSameResult() {
        const auto report = SydneyReport(30);
        const ReportDocument first = RunReport(*report);
        const ReportDocument second = RunReport(*report);
        QCOMPARE(first.pages.size(), second.pages.size());
        for (std::size_t i = 0; i < first.pages.size(); ++i) {
            QCOMPARE(PageText(first.pages[i]), PageText(second.pages[i]));
        }
        QCOMPARE(first.title, QString("Quintrel For Australia - NSW (Sydney) for January 2004"));
    }
};

QTEST_MAIN(ReportEngineTest)
#include "ReportEngineTest.moc"
