#pragma once

#include <QDialog>
#include <array>

#include "log/LogStatistics.h"

class QChartView;
class QLabel;
class QPainter;

namespace quintrel {

class MessageBoxes;
class SaveFileDialog;

/// "How did the predictions do for me?": the charts of the log's numbers (catches per
/// outing by day rating, catches by minutes from the nearest major or minor time against
/// the hours fished, catches by moon phase and, where the places have tide stations, by
/// hours from the nearest high or low water), each saying what it rests on. With fewer
/// outings than the numbers can support, the window says so and draws no chart. Print,
/// PDF and PNG export draw the charts shown.
class dlgLogCharts : public QDialog {
    Q_OBJECT

  public:
    dlgLogCharts(const logbook::LogStatistics& statistics, SaveFileDialog& saveDialog,
                 MessageBoxes& messages, QWidget* parent = nullptr);

    /// The charts, in the order above; empty (nullptr) when too few outings, the tide
    /// chart also without tides.
    const std::array<QChartView*, 4>& Charts() const { return charts_; }
    /// The line above the charts: what they rest on, or why there are none.
    QString Summary() const;
    /// What the tide chart cannot show: places without a station; empty without tides.
    QString TideNote() const;

    void cmdPrint_Click();
    void cmdPdf_Click();
    void cmdPng_Click();

  private:
    /// Draws the charts one under another into `area` of `painter`.
    void Paint(QPainter& painter, const QRectF& area) const;

    logbook::LogStatistics statistics_;
    SaveFileDialog& saveDialog_;
    MessageBoxes& messages_;
    QLabel* lblSummary_ = nullptr;
    QLabel* lblTides_ = nullptr;
    std::array<QChartView*, 4> charts_{};
};

}  // namespace quintrel
