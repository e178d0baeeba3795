#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "table/DayPicture.h"

class QAction;

namespace quintrel {

class MessageBoxes;
class ReportViewer;
struct ReportDocument;

/// The day picture window: one day's picture in a report viewer (zoom, print, copy as the
/// month report), with "Previous Day" and "Next Day" tools (also the Left and Right arrow
/// keys) and "PDF Export". The days and their pictures come from DayView; the window only
/// shows them.
class dlgDayPicture : public QDialog {
    Q_OBJECT

  public:
    /// `placeText` is the place list's display text; `exportPdf` is called with the shown
    /// document when "PDF Export" is clicked; `messages` tells of a day out of reach.
    dlgDayPicture(DayView view, QString placeText, MessageBoxes& messages,
                  std::function<void(const ReportDocument&, QWidget*)> exportPdf,
                  QWidget* parent = nullptr);

    ReportViewer* arvDay = nullptr;
    QAction* toolPreviousDay = nullptr;
    QAction* toolNextDay = nullptr;

    const DayView& View() const { return view_; }

    /// Shows the day `days` days on (back when negative); a day out of reach is reported
    /// and the day shown stays.
    void StepDay(int days);

  private:
    void ShowPicture();

    DayView view_;
    QString placeText_;
    MessageBoxes& messages_;
    std::function<void(const ReportDocument&, QWidget*)> exportPdf_;
};

}  // namespace quintrel
