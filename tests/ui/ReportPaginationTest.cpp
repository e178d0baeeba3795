// Pagination as plain arithmetic: where bands land for given heights, and which paper a
// locale gets.

#include <QLocale>
#include <QTest>

#include "ui/report/Pagination.h"
#include "ui/report/ReportEngine.h"

using namespace quintrel;

namespace {

// The report's band heights, in twips.
constexpr int kReportHeader = 1065;
constexpr int kPageHeader = 1185;
constexpr int kDetail = 255;
constexpr int kReportFooter = 4875;

struct Outcome {
    int pages = 0;
    int footerPage = -1;
    int footerTop = -1;
    QList<int> detailPages;
    QList<int> pageHeaderPages;
};

Outcome Paginate(int bodyHeight, int rows, int pageFooter = 0) {
    Paginator paginator(bodyHeight, kPageHeader, pageFooter);
    paginator.Begin(kReportHeader);
    for (int i = 0; i < rows; ++i)
        paginator.Place(ReportSectionKind::Detail, kDetail);
    paginator.Place(ReportSectionKind::ReportFooter, kReportFooter);
    paginator.Finish();
    Outcome outcome;
    outcome.pages = paginator.PageCount();
    for (const BandPlacement& p : paginator.Placements()) {
        if (p.kind == ReportSectionKind::Detail)
            outcome.detailPages << p.page;
        if (p.kind == ReportSectionKind::PageHeader)
            outcome.pageHeaderPages << p.page;
        if (p.kind == ReportSectionKind::ReportFooter) {
            outcome.footerPage = p.page;
            outcome.footerTop = p.top;
        }
    }
    return outcome;
}

}  // namespace

class ReportPaginationTest : public QObject {
    Q_OBJECT

  private slots:
    void bandsLand_data() {
        QTest::addColumn<int>("bodyHeight");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("footerPage");
        QTest::addColumn<int>("footerTop");
        QTest::addColumn<int>("rowsOnFirstPage");

        // Letter less half-inch margins: 15840 - 1440 = 14400.
        // 28 rows: 1065 + 1185 + 28 * 255 = 9390; + 4875 = 14265 fits.
        QTest::newRow("letter, 28 days, one page") << 14400 << 28 << 1 << 0 << 9390 << 28;
        // 29 rows: 9645 + 4875 = 14520 > 14400: the notes move to page 2, below its header.
        QTest::newRow("letter, 29 days, notes overflow")
            << 14400 << 29 << 2 << 1 << kPageHeader << 29;
        QTest::newRow("letter, 31 days") << 14400 << 31 << 2 << 1 << kPageHeader << 31;
        // A4 less half-inch margins: 16838 - 1440 = 15398; 31 rows: 10155 + 4875 = 15030.
        QTest::newRow("a4, 31 days, one page") << 15398 << 31 << 1 << 0 << 10155 << 31;
        // Exactly full: the footer ends on the last twip and stays.
        QTest::newRow("footer fits to the twip") << 15030 << 31 << 1 << 0 << 10155 << 31;
        QTest::newRow("one twip short") << 15029 << 31 << 2 << 1 << kPageHeader << 31;
        // A small page: (6000 - 2250) / 255 = 14 rows on page 1, then 18 a page.
        QTest::newRow("small pages, rows overflow") << 6000 << 31 << 3 << 2 << kPageHeader << 14;
        QTest::newRow("no rows at all") << 14400 << 0 << 1 << 0 << 2250 << 0;
    }

    void bandsLand() {
        QFETCH(int, bodyHeight);
        QFETCH(int, rows);
        QFETCH(int, pages);
        QFETCH(int, footerPage);
        QFETCH(int, footerTop);
        QFETCH(int, rowsOnFirstPage);

        const Outcome outcome = Paginate(bodyHeight, rows);
        QCOMPARE(outcome.pages, pages);
        QCOMPARE(outcome.footerPage, footerPage);
        QCOMPARE(outcome.footerTop, footerTop);
        QCOMPARE(outcome.detailPages.size(), rows);
        QCOMPARE(static_cast<int>(outcome.detailPages.count(0)), rowsOnFirstPage);
        // Every page starts with its page header, exactly once.
        QList<int> expectedHeaders;
        for (int page = 0; page < pages; ++page)
            expectedHeaders << page;
        QCOMPARE(outcome.pageHeaderPages, expectedHeaders);
        // Rows never go back to an earlier page.
        QVERIFY(std::is_sorted(outcome.detailPages.begin(), outcome.detailPages.end()));
    }

    void detailTopsFollowEachOther() {
        Paginator paginator(6000, kPageHeader, 0);
        paginator.Begin(kReportHeader);
        for (int i = 0; i < 16; ++i)
            paginator.Place(ReportSectionKind::Detail, kDetail);
        QList<QPair<int, int>> tops;
        for (const BandPlacement& p : paginator.Placements()) {
            if (p.kind == ReportSectionKind::Detail)
                tops << qMakePair(p.page, p.top);
        }
        QCOMPARE(tops.first(), qMakePair(0, kReportHeader + kPageHeader));
        QCOMPARE(tops.at(13), qMakePair(0, kReportHeader + kPageHeader + 13 * kDetail));
        QCOMPARE(tops.at(14), qMakePair(1, kPageHeader));
        QCOMPARE(tops.at(15), qMakePair(1, kPageHeader + kDetail));
    }

    void pageFooterIsReservedAndClosesEveryPage() {
        // A 300-twip page footer leaves 5700 - 2250 = 3450: 13 rows on page 1.
        Paginator paginator(6000, kPageHeader, 300);
        paginator.Begin(kReportHeader);
        for (int i = 0; i < 20; ++i)
            paginator.Place(ReportSectionKind::Detail, kDetail);
        paginator.Finish();
        QList<QPair<int, int>> footers;
        int onFirst = 0;
        for (const BandPlacement& p : paginator.Placements()) {
            if (p.kind == ReportSectionKind::PageFooter)
                footers << qMakePair(p.page, p.top);
            if (p.kind == ReportSectionKind::Detail && p.page == 0)
                ++onFirst;
        }
        QCOMPARE(onFirst, 13);
        QCOMPARE(footers, (QList<QPair<int, int>>{{0, 5700}, {1, 5700}}));
    }

    void aBandTallerThanAPageGetsAPageOfItsOwn() {
        Paginator paginator(3000, 500, 0);
        paginator.Begin(0);
        paginator.Place(ReportSectionKind::Detail, 100);
        paginator.Place(ReportSectionKind::ReportFooter, 9000);
        paginator.Place(ReportSectionKind::Detail, 100);
        paginator.Finish();
        QCOMPARE(paginator.PageCount(), 3);
    }

    void paperFollowsTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("paper");
        QTest::newRow("United States") << "en_US" << int(QPageSize::Letter);
        QTest::newRow("Germany") << "de_DE" << int(QPageSize::A4);
        QTest::newRow("United Kingdom prints on A4") << "en_GB" << int(QPageSize::A4);
        QTest::newRow("Australia") << "en_AU" << int(QPageSize::A4);
    }

    void paperFollowsTheLocale() {
        QFETCH(QString, locale);
        QFETCH(int, paper);
        QCOMPARE(int(DefaultPageSetup(QLocale(locale)).paper), paper);
    }
};

QTEST_MAIN(ReportPaginationTest)
#include "ReportPaginationTest.moc"
