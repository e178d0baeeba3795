#include "ui/dlgLogCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "astro/CoreError.h"
#include "ui/Exports.h"
#include "ui/MessageBoxes.h"
#include "ui/SaveFileDialog.h"

namespace quintrel {

using namespace logbook;

namespace {

const QString kTitle = QStringLiteral("How Did the Predictions Do?");

QChartView* BarChart(const QString& title, const QStringList& categories,
                     const std::vector<std::pair<QString, QList<qreal>>>& sets,
                     const QString& valueTitle, QWidget* parent) {
    auto* series = new QBarSeries;
    qreal highest = 0;
    for (const auto& [name, values] : sets) {
        auto* set = new QBarSet(name);
        set->append(values);
        // The theme draws value labels in white, meant for inside the bars; above them
        // they vanish into the white background.
        set->setLabelColor(Qt::black);
        series->append(set);
        for (const qreal value : values) {
            highest = std::max(highest, value);
        }
    }
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsPrecision(3);
    series->setLabelsFormat(QStringLiteral("@value"));
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->addSeries(series);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    // Long names take two lines rather than being cut short.
    categoryAxis->setTruncateLabels(false);
    chart->addAxis(categoryAxis, Qt::AlignBottom);
    series->attachAxis(categoryAxis);
    auto* valueAxis = new QValueAxis;
    // Round steps (0, 2, 4, ...) with room above the highest bar for its label.
    valueAxis->setRange(0, highest > 0 ? highest * 1.15 : 1);
    valueAxis->applyNiceNumbers();
    valueAxis->setTitleText(valueTitle);
    valueAxis->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(valueAxis, Qt::AlignLeft);
    series->attachAxis(valueAxis);
    chart->legend()->setVisible(sets.size() > 1);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(300);
    return view;
}

QString Plural(long long count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromLatin1(count == 1 ? one : many));
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A category's name a word a line over its count, so that eight of them fit side by side
// and none is cut short or left out.
QString TwoLines(const QString& name, const QString& count) {
    QString words = name;
    words.replace(QLatin1Char(' '), QStringLiteral("<br>"));
    return words + QStringLiteral("<br>(") + count + QStringLiteral(")");
}

}  // namespace

dlgLogCharts::dlgLogCharts(const LogStatistics& statistics, SaveFileDialog& saveDialog,
                           MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), statistics_(statistics), saveDialog_(saveDialog), messages_(messages) {
    setObjectName(QStringLiteral("dlgLogCharts"));
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    lblSummary_ = new QLabel(Summary(), this);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setWordWrap(true);
    layout->addWidget(lblSummary_);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* inner = new QWidget(scroll);
    auto* chartsLayout = new QVBoxLayout(inner);
    scroll->setWidget(inner);
    layout->addWidget(scroll, 1);

    if (!statistics_.tooFewOutings) {
        QStringList ratings;
        QList<qreal> perOuting;
        for (std::size_t i = 0; i < kRatingNames.size(); ++i) {
            const RatingRow& row = statistics_.byRating[i];
            ratings << TwoLines(Latin1(kRatingNames[i]), Plural(row.outings, "outing", "outings"));
            perOuting << row.perOuting;
        }
        charts_[0] = BarChart(QStringLiteral("Catches per outing by the day's rating: %1, %2")
                                  .arg(Plural(statistics_.outings, "outing", "outings"),
                                       Plural(statistics_.catches, "catch", "catches")),
                              ratings, {{QStringLiteral("Catches per outing"), perOuting}},
                              QStringLiteral("per outing"), inner);

        QStringList bands;
        QList<qreal> catchShare;
        QList<qreal> hourShare;
        for (std::size_t i = 0; i < kMinuteBandNames.size(); ++i) {
            const MinutesRow& row = statistics_.byMinutes[i];
            bands << TwoLines(Latin1(kMinuteBandNames[i]) + QStringLiteral("\u00a0min"),
                              Plural(row.catches, "catch", "catches"));
            catchShare << row.share * 100.0;
            hourShare << row.hoursShare * 100.0;
        }
        charts_[1] = BarChart(
            QStringLiteral("Catches by minutes from the nearest major or minor time: %1 with a "
                           "time, %2 hours fished")
                .arg(Plural(statistics_.timedCatches, "catch", "catches"))
                .arg(statistics_.minutesFished / 60.0, 0, 'f', 1),
            bands,
            {{QStringLiteral("Share of the catches (%)"), catchShare},
             {QStringLiteral("Share of the hours fished (%)"), hourShare}},
            QStringLiteral("per cent"), inner);

        QStringList phases;
        QList<qreal> phaseCatches;
        for (std::size_t i = 0; i < kMoonPhaseNames.size(); ++i) {
            const PhaseRow& row = statistics_.byMoonPhase[i];
            phases << TwoLines(Latin1(kMoonPhaseNames[i]),
                               Plural(row.outings, "outing", "outings"));
            phaseCatches << static_cast<qreal>(row.catches);
        }
        charts_[2] = BarChart(QStringLiteral("Catches by the moon's phase: %1, %2")
                                  .arg(Plural(statistics_.outings, "outing", "outings"),
                                       Plural(statistics_.catches, "catch", "catches")),
                              phases, {{QStringLiteral("Catches"), phaseCatches}},
                              QStringLiteral("catches"), inner);
        if (HasTideChart(statistics_)) {
            QStringList hours;
            QList<qreal> tideShare;
            for (std::size_t i = 0; i < kTideBandNames.size(); ++i) {
                const TideRow& row = (*statistics_.byTide)[i];
                hours << TwoLines(Latin1(kTideBandNames[i]) + QStringLiteral("\u00a0h"),
                                  Plural(row.catches, "catch", "catches"));
                tideShare << row.share * 100.0;
            }
            charts_[3] = BarChart(
                QStringLiteral("Catches by hours from the nearest high or low water: %1 with a "
                               "time, %2 at a tide station")
                    .arg(Plural(statistics_.tideCatches, "catch", "catches"),
                         Plural(statistics_.tideOutings, "outing", "outings")),
                hours, {{QStringLiteral("Share of the catches (%)"), tideShare}},
                QStringLiteral("per cent"), inner);
        }
        for (std::size_t i = 0; i < charts_.size(); ++i) {
            if (charts_[i] != nullptr) {
                charts_[i]->setObjectName(QStringLiteral("chart%1").arg(i));
                chartsLayout->addWidget(charts_[i]);
            }
        }
        lblTides_ = new QLabel(TideNote(), inner);
        lblTides_->setObjectName(QStringLiteral("lblTides"));
        lblTides_->setWordWrap(true);
        lblTides_->setVisible(!lblTides_->text().isEmpty());
        chartsLayout->addWidget(lblTides_);
    }
    chartsLayout->addStretch();

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& caption,
                            void (dlgLogCharts::*click)()) {
        auto* push = new QPushButton(caption, this);
        push->setObjectName(QString::fromLatin1(name));
        push->setAutoDefault(false);
        push->setEnabled(!statistics_.tooFewOutings);
        buttons->addWidget(push);
        connect(push, &QPushButton::clicked, this, click);
    };
    button("cmdPrint", QStringLiteral("&Print..."), &dlgLogCharts::cmdPrint_Click);
    button("cmdPdf", QStringLiteral("P&DF Export..."), &dlgLogCharts::cmdPdf_Click);
    button("cmdPng", QStringLiteral("P&NG Export..."), &dlgLogCharts::cmdPng_Click);
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(buttons);
    // Two charts at a time on a screen of 768 lines; the rest scroll.
    resize(900, 740);
}

QString dlgLogCharts::Summary() const {
    if (statistics_.tooFewOutings) {
        return QString::fromStdString(TooFewOutingsNote(statistics_)) +
               QStringLiteral(" No chart is drawn until the log holds %1 outings.")
                   .arg(kFewestOutings);
    }
    QString text = QStringLiteral(
                       "From %1 and %2 of the log, the days' ratings and activity times "
                       "as the month table gives them.")
                       .arg(Plural(statistics_.outings, "outing", "outings"),
                            Plural(statistics_.catches, "catch", "catches"));
    if (statistics_.skippedOutings > 0) {
        text += QStringLiteral(" %1 left out: their place or date cannot be computed.")
                    .arg(Plural(statistics_.skippedOutings, "outing", "outings"));
    }
    return text;
}

QString dlgLogCharts::TideNote() const {
    if (!statistics_.byTide) {
        return {};
    }
    QString note = QString::fromStdString(NoTideStationNote(statistics_));
    if (!note.isEmpty() && !HasTideChart(statistics_)) {
        note[0] = note[0].toLower();
        note = QStringLiteral("No tide chart: ") + note + QStringLiteral(".");
    } else if (!note.isEmpty()) {
        note += QStringLiteral(".");
    }
    return note;
}

void dlgLogCharts::Paint(QPainter& painter, const QRectF& area) const {
    std::vector<QChartView*> shown;
    for (QChartView* chart : charts_) {
        if (chart != nullptr) {
            shown.push_back(chart);
        }
    }
    if (shown.empty()) {
        return;
    }
    const qreal height = area.height() / static_cast<qreal>(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const QRectF target(area.left(), area.top() + height * static_cast<qreal>(i), area.width(),
                            height);
        shown[i]->render(&painter, target);
    }
}

void dlgLogCharts::cmdPrint_Click() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kTitle);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        messages_.Exclamation(kTitle, QStringLiteral("The charts could not be printed."), this);
        return;
    }
    Paint(painter,
          QRectF(printer.pageLayout()
                     .paintRectPixels(printer.resolution())
                     .translated(
                         -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft())));
}

void dlgLogCharts::cmdPdf_Click() {
    ExportProposal proposal{QString(), QStringLiteral("Log charts")};
    ExportPdf(
        saveDialog_, messages_,
        [this](const std::string& path) {
            QPdfWriter writer(QString::fromStdString(path));
            writer.setTitle(kTitle);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setResolution(150);
            QPainter painter;
            if (!painter.begin(&writer)) {
                throw CoreError("The file " + path + " cannot be written.");
            }
            const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
            Paint(painter, QRectF(0, 0, page.width(), page.height()));
        },
        &proposal, this);
}

void dlgLogCharts::cmdPng_Click() {
    saveDialog_.Filter = QStringLiteral("Portable Network Graphics (*.png)|*.png");
    saveDialog_.DefaultExt = QStringLiteral(".png");
    saveDialog_.DialogTitle = QStringLiteral("PNG Export");
    saveDialog_.FileName = QStringLiteral("Log charts.png");
    saveDialog_.ConfirmOverwrite = true;
    const QString path = ShowSaveWithRetry(saveDialog_);
    if (path.isEmpty()) {
        return;
    }
    QImage image(
        1200,
        500 * static_cast<int>(std::count_if(charts_.begin(), charts_.end(),
                                             [](QChartView* chart) { return chart != nullptr; })),
        QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        Paint(painter, QRectF(0, 0, image.width(), image.height()));
    }
    if (!image.save(path, "PNG")) {
        messages_.Exclamation(QStringLiteral("Export Error"), ExportErrorText(path), this);
    }
}

}  // namespace quintrel
