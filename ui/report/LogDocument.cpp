#include "ui/report/LogDocument.h"

#include <QImageReader>
#include <array>
#include <cmath>

#include "log/LogCsv.h"
#include "log/LogFiles.h"

namespace quintrel {

using namespace logbook;

namespace {

// Twips.
constexpr int kMargin = 720;
constexpr int kRowHeight = 250;
constexpr int kPhotoHeight = 2160;
constexpr std::array<int, 9> kColumnWidths = {1100, 560, 2140, 1900, 560, 900, 900, 860, 1480};
constexpr std::array<const char*, 9> kHeadings = {
    "Date", "Time", "Place", "Species", "Count", "Length", "Weight", "Released", "Method"};

QString Number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

class Pages {
  public:
    Pages(ReportDocument& document, int left, int width)
        : document_(document), left_(left), width_(width) {
        NewPage();
    }
    /// Room for `height` twips below the current line, on a new page when needed.
    int Take(int height) {
        if (top_ + height > document_.pageHeightTwips - kMargin) {
            NewPage();
        }
        const int at = top_;
        top_ += height;
        return at;
    }
    ReportPage& Page() { return document_.pages.back(); }
    void Row(const std::array<QString, 9>& cells, bool heading) {
        const int top = Take(kRowHeight);
        int x = left_;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            Page().items.push_back(TextItem(QRect(x, top, kColumnWidths[i] - 60, kRowHeight),
                                            cells[i], DocumentFont(7.5, heading ? 700 : 400)));
            x += kColumnWidths[i];
        }
        if (heading) {
            PageItem rule;
            rule.kind = PageItem::Kind::Line;
            rule.line = QLine(left_, top + kRowHeight, left_ + width_, top + kRowHeight);
            Page().items.push_back(rule);
        }
    }
    void Heading() {
        std::array<QString, 9> cells;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            cells[i] = QString::fromLatin1(kHeadings[i]);
        }
        Row(cells, true);
    }

  private:
    void NewPage() {
        document_.pages.emplace_back();
        top_ = kMargin;
        if (document_.pages.size() > 1) {
            Heading();
        }
    }
    ReportDocument& document_;
    int left_;
    int width_;
    int top_ = kMargin;
};

}  // namespace

ReportDocument LogYearDocument(const LogYear& year, const PageSetup& setup) {
    const QPageSize paper(setup.paper);
    ReportDocument document;
    document.title = QStringLiteral("Catches of %1").arg(year.year);
    document.pageLayout =
        QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    const QSizeF points = paper.size(QPageSize::Point);
    document.pageWidthTwips = static_cast<int>(std::lround(points.width() * 20.0));
    document.pageHeightTwips = static_cast<int>(std::lround(points.height() * 20.0));
    int width = 0;
    for (const int column : kColumnWidths) {
        width += column;
    }
    const int left = std::max(0, (document.pageWidthTwips - width) / 2);

    long long catches = 0;
    for (const OutingEntries& outing : year.entries) {
        for (const Catch& entry : outing.catches) {
            catches += entry.count;
        }
    }
    Pages pages(document, left, width);
    pages.Page().items.push_back(TextItem(QRect(left, pages.Take(460), width, 460), document.title,
                                          DocumentFont(15, 700), ReportAlignment::Centre));
    pages.Page().items.push_back(TextItem(
        QRect(left, pages.Take(400), width, 300),
        QStringLiteral("%1 outings, %2 caught or seen").arg(year.entries.size()).arg(catches),
        DocumentFont(9, 400), ReportAlignment::Centre));
    pages.Heading();
    for (const OutingEntries& outing : year.entries) {
        const QString date = QString::fromStdString(outing.outing.date);
        const QString place = QString::fromStdString(PlaceNameOfRecord(outing.outing.record));
        if (outing.catches.empty()) {
            pages.Row({date,
                       QString::fromStdString(outing.outing.start),
                       place,
                       QStringLiteral("(nothing)"),
                       QStringLiteral("0"),
                       {},
                       {},
                       {},
                       {}},
                      false);
        }
        for (const Catch& entry : outing.catches) {
            QString length;
            if (entry.lengthCm) {
                length = year.inches ? Number(InchesFromCentimetres(*entry.lengthCm), 1) + " in"
                                     : Number(*entry.lengthCm, 1) + " cm";
            }
            QString weight;
            if (entry.weightKg) {
                weight = year.pounds ? Number(PoundsFromKilograms(*entry.weightKg), 2) + " lb"
                                     : Number(*entry.weightKg, 2) + " kg";
            }
            pages.Row({date, QString::fromStdString(entry.time), place,
                       QString::fromStdString(entry.species), QString::number(entry.count), length,
                       weight, entry.released ? QStringLiteral("yes") : QString(),
                       QString::fromStdString(entry.method)},
                      false);
            if (!entry.photo.empty()) {
                QImageReader reader(year.photoFolder + QLatin1Char('/') +
                                    QString::fromStdString(entry.photo));
                reader.setAutoTransform(true);
                // A print needs no camera's full size: about 300 dots per inch is plenty.
                reader.setScaledSize(reader.size().scaled(900, 900, Qt::KeepAspectRatio));
                const QImage image = reader.read();
                if (!image.isNull()) {
                    PageItem photo;
                    photo.kind = PageItem::Kind::Image;
                    const int top = pages.Take(kPhotoHeight + 120);
                    photo.box = QRect(left + kColumnWidths[0] + kColumnWidths[1], top + 60,
                                      kPhotoHeight * 4 / 3, kPhotoHeight);
                    photo.image = image;
                    pages.Page().items.push_back(photo);
                }
            }
        }
    }
    return document;
}

}  // namespace quintrel
