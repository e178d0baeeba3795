// The PDF holds the viewer's pages: the same count, the title and every day line as text,
// the fonts embedded; and a file that cannot be written is an error naming it.

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "ReportTestTables.h"
#include "astro/CoreError.h"
#include "ui/report/ReportEngine.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportPrinting.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::test;

namespace {

// Runs one of the poppler tools; the dependency script installs them.
QString Poppler(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return QStringLiteral("missing tool: ") + tool;
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Where the first occurrence of `word` sits on page `page` (from 1), in points, from pdftotext
// -bbox.
QPointF WordPosition(const QString& path, int page, const QString& word) {
    const QRegularExpression box(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>") +
        QRegularExpression::escape(word) + QStringLiteral("</word>"));
    const auto match = box.match(Poppler("pdftotext", {"-bbox", "-f", QString::number(page), "-l",
                                                       QString::number(page), path, "-"}));
    return match.hasMatch() ? QPointF(match.captured(1).toDouble(), match.captured(2).toDouble())
                            : QPointF(-1, -1);
}

int PdfPages(const QString& path) {
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto match = pages.match(Poppler("pdfinfo", {path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// A day line as pdftotext -layout prints it: the row's texts in column order.
QRegularExpression DayLine(const DayRow& row) {
    QStringList parts{Q(std::to_string(row.Day)),
                      Q(row.DayName),
                      Q(row.SRise),
                      Q(row.SSet),
                      Q(row.MRise),
                      Q(row.MSet)};
    QString pattern;
    for (const QString& part : parts)
        pattern += QRegularExpression::escape(part) + "\\s+";
    // Phase and wax/wane stand in neighbouring boxes and may run together.
    pattern += QRegularExpression::escape(Q(row.Phase)) + "\\s*" +
               QRegularExpression::escape(Q(row.WaxWan)) + "\\s+";
    for (const std::string* part : {&row.Maj1, &row.Maj2, &row.Min1, &row.Min2, &row.Rating}) {
        pattern += QRegularExpression::escape(Q(*part)) + "\\s+";
    }
    pattern += QRegularExpression::escape(Q(row.Stars));
    return QRegularExpression(QStringLiteral("(^|\\n)\\s*") + pattern + QStringLiteral("\\s*\\n"));
}

}  // namespace

class ReportPdfTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;

  private slots:
    void thePdfHoldsTheViewersPages_data() {
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("days");
        QTest::newRow("letter, 31 days: two pages") << int(QPageSize::Letter) << 31;
        QTest::newRow("a4, 31 days") << int(QPageSize::A4) << 31;
        QTest::newRow("letter, 28 days") << int(QPageSize::Letter) << 28;
    }

    void thePdfHoldsTheViewersPages() {
        QFETCH(int, paper);
        QFETCH(int, days);
        const MonthTable table = HandMadeTable(days);
        PageSetup setup;
        setup.paper = QPageSize::PageSizeId(paper);
        const auto report = NewMonthReport(table, SydneyRecord(), "Australia - NSW (Sydney)");
        const ReportDocument document = RunReport(*report, setup);
        const QString path = dir_.filePath(QStringLiteral("month-%1-%2.pdf").arg(paper).arg(days));
        WritePdf(document, path);

        QCOMPARE(PdfPages(path), static_cast<int>(document.pages.size()));
        const QString text = Poppler("pdftotext", {"-layout", path, "-"});
        QVERIFY(text.contains("Quintrel For Australia - NSW (Sydney) for January 2004"));
        QVERIFY(text.contains(QRegularExpression("Lattitude: 33\u00BA\\s+52\u00B4 South")));
        for (const DayRow& row : table.rows) {
            QVERIFY2(DayLine(row).match(text).hasMatch(),
                     qPrintable(QString("day %1 is missing or garbled").arg(row.Day)));
        }
        QCOMPARE(static_cast<int>(text.count("Note: DST has been factored")), 1);
        // Fonts travel with the file, so it prints the same anywhere.
        const QString fonts = Poppler("pdffonts", {path});
        QVERIFY(fonts.contains("DejaVuSans"));
        for (const QString& line : fonts.split('\n').mid(2)) {
            if (line.trimmed().isEmpty())
                continue;
            QVERIFY2(line.contains(QRegularExpression("\\syes\\s")), qPrintable(line));
        }
    }

    void thePagesAreThoseTheViewerShows() {
        ReportViewer viewer;
        viewer.SetReportSource(
            NewMonthReport(HandMadeTable(31), SydneyRecord(), "Australia - NSW (Sydney)"));
        const QString path = dir_.filePath("viewer.pdf");
        WritePdf(viewer.Document(), path);
        QCOMPARE(PdfPages(path), viewer.PageCount());
        QCOMPARE(Poppler("pdfinfo", {path}).contains("Quintrel For Australia - NSW (Sydney)"),
                 true);
    }

    void severalDocumentsFollowEachOther() {
        const auto january = NewMonthReport(HandMadeTable(31, 1), SydneyRecord(), "Sydney");
        const auto february = NewMonthReport(HandMadeTable(29, 2), SydneyRecord(), "Sydney");
        PageSetup letter;
        letter.paper = QPageSize::Letter;
        const ReportDocument first = RunReport(*january, letter);
        const ReportDocument second = RunReport(*february, letter);
        const QString path = dir_.filePath("two-months.pdf");
        WritePdf({&first, &second}, path);
        QCOMPARE(PdfPages(path), static_cast<int>(first.pages.size() + second.pages.size()));
        const QString text = Poppler("pdftotext", {path, "-"});
        QVERIFY(text.indexOf("for January 2004") < text.indexOf("for February 2004"));
    }

    // Streamed documents make the same pages; the file changes only when the stream is
    // finished, and a stream given up leaves the old file.
    void aStreamWritesDocumentsAsTheyComeAndReplacesTheFileAtTheEnd() {
        const auto january = NewMonthReport(HandMadeTable(31, 1), SydneyRecord(), "Sydney");
        const auto february = NewMonthReport(HandMadeTable(29, 2), SydneyRecord(), "Sydney");
        const ReportDocument first = RunReport(*january);
        const ReportDocument second = RunReport(*february);
        const QString path = dir_.filePath("streamed.pdf");
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        {
            PdfStream abandoned(path, first.title);
            abandoned.Add(first);
        }
        QCOMPARE(QFile(path).size(), qint64{3});
        PdfStream stream(path, SpanTitle(first.title, second.title));
        stream.Add(first);
        stream.Add(second);
        QCOMPARE(QFile(path).size(), qint64{3});
        stream.Finish();
        QCOMPARE(PdfPages(path), static_cast<int>(first.pages.size() + second.pages.size()));
        QVERIFY(Poppler("pdfinfo", {path}).contains("January 2004 to February 2004"));
        QVERIFY(QDir(dir_.path()).entryList({"streamed.pdf.*"}).isEmpty());  // no temporary left
    }

    void anExistingFileIsReplaced() {
        const QString path = dir_.filePath("replace.pdf");
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(500000, 'x'));
        }
        const auto report = NewMonthReport(HandMadeTable(2), SydneyRecord(), "Sydney");
        WritePdf(RunReport(*report), path);
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");
        QVERIFY(written.size() < 500000);
    }

    void unwritablePathsAreErrorsNamingThePath_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("folder missing") << dir_.filePath("no/such/folder/out.pdf");
        QTest::newRow("path is a folder") << dir_.path();
        QTest::newRow("empty name") << QString();
    }

    void unwritablePathsAreErrorsNamingThePath() {
        QFETCH(QString, path);
        const auto report = NewMonthReport(HandMadeTable(2), SydneyRecord(), "Sydney");
        const ReportDocument document = RunReport(*report);
        try {
            WritePdf(document, path);
            QFAIL("no error");
        } catch (const CoreError& error) {
            QVERIFY2(QString::fromUtf8(error.what()).contains(path), error.what());
        }
    }

    // The printer path draws the same pages: printed to a PDF file it matches the writer.
    void printingGivesTheSamePages_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("expectedText");
        QTest::newRow("all pages") << 0 << 0 << "Rating For Day";
        QTest::newRow("second page only") << 2 << 2 << "Note: DST has been factored";
    }

    void printingGivesTheSamePages() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, expectedText);
        PageSetup letter;
        letter.paper = QPageSize::Letter;
        const auto report = NewMonthReport(HandMadeTable(31), SydneyRecord(), "Sydney");
        const ReportDocument document = RunReport(*report, letter);
        QPrinter printer(QPrinter::HighResolution);
        const QString path = dir_.filePath(QStringLiteral("printed-%1.pdf").arg(from));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        QVERIFY(PrintDocument(document, printer));
        const int expectedPages =
            from > 0 ? to - from + 1 : static_cast<int>(document.pages.size());
        QCOMPARE(PdfPages(path), expectedPages);
        QVERIFY(Poppler("pdfinfo", {path}).contains("612 x 792 pts (letter)"));
        QVERIFY(Poppler("pdftotext", {path, "-"}).contains(expectedText));
        // And at the same place on the paper as in the PDF the writer makes.
        const QString written = dir_.filePath(QStringLiteral("written-%1.pdf").arg(from));
        WritePdf(document, written);
        const QPointF printedAt = WordPosition(path, 1, "Lattitude:");
        const QPointF writtenAt = WordPosition(written, std::max(from, 1), "Lattitude:");
        QVERIFY(printedAt.x() > 0);
        QVERIFY2(std::abs(printedAt.x() - writtenAt.x()) < 0.5 &&
                     std::abs(printedAt.y() - writtenAt.y()) < 0.5,
                 qPrintable(QString("printed at %1,%2; written at %3,%4")
                                .arg(printedAt.x())
                                .arg(printedAt.y())
                                .arg(writtenAt.x())
                                .arg(writtenAt.y())));
    }

    void aDocumentWithoutPagesIsAnError() {
        QVERIFY_THROWS_EXCEPTION(CoreError, WritePdf(ReportDocument{}, dir_.filePath("empty.pdf")));
        QVERIFY(!QFile::exists(dir_.filePath("empty.pdf")));
    }
};

QTEST_MAIN(ReportPdfTest)
#include "ReportPdfTest.moc"
