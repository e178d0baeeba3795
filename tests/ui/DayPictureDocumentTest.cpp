// The day picture as a recorded page, and its PNG and SVG files.
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "astro/CoreError.h"
#include "table/DayPicture.h"
#include "ui/report/DayPictureDocument.h"
#include "ui/report/ReportImage.h"

using namespace quintrel;

namespace {

const std::string kSydney =
    "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104";
const std::string kTromso =
    "1Norway               Troms\xf8           + 69 41+ 18 57+   11025103035110";

ReportDocument DayDocument(const std::string& record, int year, int month, int day) {
    const DayView view(record, year, month, day);
    return RecordDayPicture(view.Picture(), "Place", record);
}

}  // namespace

class DayPictureDocumentTest : public QObject {
    Q_OBJECT

  private slots:
    void onePageCarryingTheTablesTexts() {
        const DayView view(kSydney, 2025, 4, 6);
        const ReportDocument document = RecordDayPicture(view.Picture(), "Place", kSydney);
        QCOMPARE(document.pages.size(), std::size_t(1));
        QVERIFY(document.pageWidthTwips > document.pageHeightTwips);
        const QString text = PageText(document.pages.front());
        const DayRow& row = view.Picture().row;
        QVERIFY(text.contains("Quintrel For Place on Sunday 6 April 2025"));
        QVERIFY(text.contains("Clocks go back today"));
        QVERIFY(text.contains(QString::fromStdString("Sunrise " + row.SRise)));
        QVERIFY(text.contains(QString::fromStdString("Sunset " + row.SSet)));
        QVERIFY(text.contains(QString::fromStdString(row.Maj1)));
        QVERIFY(text.contains(QString::fromStdString(row.Rating + "  " + row.Stars)));
        // What the page draws, in words for a screen reader.
        QCOMPARE(document.readingHeadings.front(),
                 QString("Quintrel For Place on Sunday 6 April 2025"));
    }

    void riseAndSetLabelsSitOnCardsAboveTheCurves() {
        const ReportDocument document = DayDocument(kSydney, 2025, 4, 6);
        const std::vector<PageItem>& items = document.pages.front().items;
        int labels = 0;
        for (std::size_t i = 1; i < items.size(); ++i) {
            const PageItem& item = items[i];
            if (item.kind != PageItem::Kind::Text ||
                !(item.text.startsWith("Sunrise ") || item.text.startsWith("Sunset ") ||
                  item.text.startsWith("Moonrise ") || item.text.startsWith("Moonset "))) {
                continue;
            }
            ++labels;
            // The item before is a white card under the text, drawn after both curves.
            const PageItem& card = items[i - 1];
            QCOMPARE(card.kind, PageItem::Kind::Shape);
            QCOMPARE(card.fill, QColor(Qt::white));
            QVERIFY(card.path.boundingRect().contains(QPointF(item.box.center())));
        }
        QVERIFY(labels >= 3);
    }

    void twilightIsHatchedBesidesItsShade() {
        const ReportDocument document = DayDocument(kSydney, 2025, 6, 21);
        int hatches = 0;
        for (const PageItem& item : document.pages.front().items) {
            hatches += item.kind == PageItem::Kind::Shape && !item.clip.isEmpty() &&
                       !item.fill.isValid() && item.penWidth == 8;
        }
        // Morning and evening twilight, in the plot and in the activity lane, and the legend.
        QCOMPARE(hatches, 5);
    }

    void aDayWithoutSunriseSaysSo() {
        const QString text = PageText(DayDocument(kTromso, 2025, 12, 15).pages.front());
        QVERIFY(!text.contains("Sunrise"));
        QVERIFY(text.contains("Sun: never rises"));
    }

    void pngAndSvgFilesHoldThePage() {
        QTemporaryDir dir;
        const ReportDocument document = DayDocument(kSydney, 2025, 6, 21);
        WritePng(document, dir.filePath("day.png"), 96);
        const QImage image(dir.filePath("day.png"));
        QCOMPARE(image.width(), qRound(document.pageWidthTwips * 96 / 1440.0));
        // Something is drawn: the page is not all white.
        QVERIFY(image.pixelColor(image.width() / 2, image.height() / 3) != QColor(Qt::white));
        WriteSvg(document, dir.filePath("day.svg"));
        QFile svg(dir.filePath("day.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray bytes = svg.readAll();
        QVERIFY(bytes.contains("<svg"));
        QVERIFY(bytes.contains("Quintrel For Place"));
    }

    void aMissingFolderIsAnError() {
        const ReportDocument document = DayDocument(kSydney, 2025, 6, 21);
        QVERIFY_THROWS_EXCEPTION(CoreError, WritePng(document, "/nonexistent/folder/day.png"));
        QVERIFY_THROWS_EXCEPTION(CoreError, WriteSvg(document, "/nonexistent/folder/day.svg"));
    }
};

QTEST_MAIN(DayPictureDocumentTest)
#include "DayPictureDocumentTest.moc"
