// The stand-in fonts are installed and no heading or detail text is clipped by its box.

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTest>

#include "ReportTestTables.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "ui/report/ReportEngine.h"
#include "ui/report/ReportFonts.h"

using namespace quintrel;
using namespace quintrel::test;

namespace {

int TextFlags(const ReportControl& control) {
    return Qt::AlignTop | (control.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

// The size `text` needs when drawn in `control`'s font within its width.
QSizeF Needed(const ReportControl& control, const QString& text) {
    const QFontMetricsF metrics(ReportQFont(control.font));
    return metrics.boundingRect(QRectF(0, 0, control.width, 1e6), TextFlags(control), text).size();
}

QStringList ShippedRecords() {
    QFile file(QStringLiteral(QUINTREL_SOURCE_DIR "/data/locs.dat"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList records;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QByteArray record = line.trimmed();
        if (!record.isEmpty())
            records << QString::fromLatin1(record);
    }
    return records;
}

}  // namespace

class ReportFontsTest : public QObject {
    Q_OBJECT

  private slots:
    void layoutFamiliesMapToInstalledFaces_data() {
        QTest::addColumn<QString>("family");
        QTest::newRow("Verdana") << "Verdana";
        QTest::newRow("Georgia") << "Georgia";
        QTest::newRow("MS Sans Serif") << "MS Sans Serif";
    }

    void layoutFamiliesMapToInstalledFaces() {
        QFETCH(QString, family);
        const QString installed = InstalledFamily(family);
        QVERIFY2(QFontDatabase::families().contains(installed, Qt::CaseInsensitive),
                 qPrintable(family + " -> " + installed + " is not installed"));
        // The face drawn is the one chosen, not a fallback of the font matcher.
        const QFontInfo info(ReportQFont({family.toStdString(), 10, 400}));
        QCOMPARE(info.family(), installed);
        InstallFontSubstitutions();
        QCOMPARE(QFontInfo(QFont(family)).family(), installed);
    }

    void fontsAreSizedInTwips() {
        const QFont font = ReportQFont({"Verdana", 8.5, 700});
        QCOMPARE(font.pixelSize(), 170);
        QCOMPARE(font.weight(), QFont::Bold);
    }

    void fixedLabelsFitTheirBoxes() {
        const arReport report;
        for (const ReportSection& section : report.Sections()) {
            for (const ReportControl& control : section.controls) {
                if (control.kind != ReportControlKind::Label || control.caption.empty())
                    continue;
                const QSizeF needed = Needed(control, Q(control.caption));
                QVERIFY2(needed.width() <= control.width && needed.height() <= control.height,
                         qPrintable(QString("%1 needs %2 x %3 twips, has %4 x %5")
                                        .arg(Q(control.name))
                                        .arg(needed.width())
                                        .arg(needed.height())
                                        .arg(control.width)
                                        .arg(control.height)));
            }
        }
    }

    // Long place names make titles wider than their box; the engine sets those a little
    // smaller rather than cutting them off. Every text on the page must fit as drawn.
    void everyTextOfEveryShippedPlaceFitsAsDrawn() {
        const QStringList records = ShippedRecords();
        QVERIFY(!records.isEmpty());
        for (const QString& record : records) {
            const std::string bytes = record.toLatin1().toStdString();
            const std::string place = Cp1252ToUtf8(LocationDisplayText(bytes));
            MonthTable table = HandMadeTable(30, 9);  // September: the longest month name
            const auto report = NewMonthReport(table, bytes, place);
            const ReportDocument document = RunReport(*report);
            for (const ReportPage& page : document.pages) {
                for (const PageItem& item : page.items) {
                    if (item.kind != PageItem::Kind::Text)
                        continue;
                    const QFontMetricsF metrics(ReportQFont(item.font));
                    const int flags =
                        Qt::AlignTop | (item.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
                    const QSizeF needed =
                        metrics.boundingRect(QRectF(0, 0, item.box.width(), 1e6), flags, item.text)
                            .size();
                    QVERIFY2(
                        needed.width() <= item.box.width() && needed.height() <= item.box.height(),
                        qPrintable(QString("\"%1\" needs %2 x %3 twips, has %4 x %5")
                                       .arg(item.text)
                                       .arg(needed.width())
                                       .arg(needed.height())
                                       .arg(item.box.width())
                                       .arg(item.box.height())));
                    // Shrinking is a last resort, and never below a readable size.
                    QVERIFY(item.font.pointSize >= 8.0);
                }
            }
        }
    }

    void aTitleThatFitsKeepsItsSize() {
        const auto report = NewMonthReport(HandMadeTable(31), SydneyRecord(), "France (Paris)");
        const ReportDocument document = RunReport(*report);
        for (const PageItem& item : document.pages[0].items) {
            if (item.text.startsWith("Quintrel For"))
                QCOMPARE(item.font.pointSize, 11.5);
        }
    }

    void theWidestDetailValuesFit() {
        const arReport layout;
        const QStringList times{"24:00", "00:00", ":", "never", "rises", "sets"};
        const QHash<QString, QStringList> widest = {
            {"Day", {"28", "31"}},
            {"DayName", {"Wednesday", "Thursday", "Saturday"}},
            {"SRise", times},
            {"SSet", times},
            {"MRise", times},
            {"MSet", times},
            {"Phase", {"100"}},
            {"WaxWan", {"+", "-"}},
            {"Maj1", times},
            {"Maj2", times},
            {"Min1", times},
            {"Min2", times},
            {"Rating", {"Poor", "Fair", "Good", "Best"}},
            {"Stars", {"****"}},
        };
        for (const ReportControl& control : layout.Section(ReportSectionKind::Detail).controls) {
            const QStringList values = widest.value(Q(control.dataField));
            QVERIFY2(!values.isEmpty(), control.name.c_str());
            for (const QString& value : values) {
                const QSizeF needed = Needed(control, value);
                QVERIFY2(needed.width() <= control.width && needed.height() <= control.height,
                         qPrintable(QString("%1 \"%2\" needs %3 x %4 twips")
                                        .arg(Q(control.name), value)
                                        .arg(needed.width())
                                        .arg(needed.height())));
            }
        }
    }
};

QTEST_MAIN(ReportFontsTest)
#include "ReportFontsTest.moc"
