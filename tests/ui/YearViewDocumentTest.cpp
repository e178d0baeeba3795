// The year at a glance as a report page: the shades stay apart in grey, every day gets its
// cell, the moons their marks, and the page fits the paper.

#include <QTest>

#include "tests/table/TablePlaces.h"
#include "ui/report/YearViewDocument.h"

namespace quintrel {

class YearViewDocumentTest : public QObject {
    Q_OBJECT

  private slots:
    void four_shades_stay_distinct_in_grey() {
        for (int rank = 1; rank < 4; ++rank) {
            const int lighter = qGray(RatingShade(rank).rgb());
            const int darker = qGray(RatingShade(rank + 1).rgb());
            QVERIFY2(
                lighter - darker >= 35,
                qPrintable(QStringLiteral("rank %1: %2 vs %3").arg(rank).arg(lighter).arg(darker)));
        }
        QCOMPARE(RatingShade(0), RatingShade(1));
    }

    void one_page_with_a_cell_per_day_and_the_moons_marked() {
        const YearSheet sheet = BuildYearSheet(testing::kBoston, "Boston", 2028);
        for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
            PageSetup setup;
            setup.paper = paper;
            const ReportDocument document = YearViewDocument(sheet, setup);
            QCOMPARE(document.pages.size(), std::size_t{1});
            int boxes = 0;
            int marks = 0;
            for (const PageItem& item : document.pages[0].items) {
                boxes += item.kind == PageItem::Kind::Box;
                marks += item.kind == PageItem::Kind::Ellipse;
                QVERIFY(item.box.bottom() <= document.pageHeightTwips - setup.marginBottom);
                QVERIFY(item.box.left() >= 0 && item.box.right() <= document.pageWidthTwips);
            }
            // 366 days of a leap year and the legend's four shades.
            QCOMPARE(boxes, 366 + 4);
            int moons = 0;
            for (const YearMonth& month : sheet.months) {
                for (const YearDay& day : month.days) {
                    moons += day.moon != MoonMark::None;
                }
            }
            QCOMPARE(marks, moons + 2);
            QVERIFY(PageText(document.pages[0]).contains("Quintrel Year at a Glance: Boston 2028"));
            // Every rated day carries its stars besides its shade.
            int starred = 0;
            int rated = 0;
            for (const PageItem& item : document.pages[0].items) {
                starred += item.kind == PageItem::Kind::Text && !item.text.isEmpty() &&
                           item.text == QString(item.text.size(), QLatin1Char('*'));
            }
            for (const YearMonth& month : sheet.months) {
                for (const YearDay& day : month.days) {
                    rated += day.ratingRank > 0;
                }
            }
            QCOMPARE(starred, rated);
            // Title, place line and a line per month for a screen reader.
            QCOMPARE(document.readingHeadings.size(), std::size_t{14});
        }
    }
};

}  // namespace quintrel

QTEST_MAIN(quintrel::YearViewDocumentTest)
#include "YearViewDocumentTest.moc"
