#pragma once

#include <QDialog>

#include "table/YearView.h"

namespace quintrel {

class MessageBoxes;
class ReportViewer;
class SaveFileDialog;

/// A window showing the year at a glance in a report viewer (paging, zoom, print) with a
/// "PDF Export" tool.
class dlgYearView : public QDialog {
    Q_OBJECT

  public:
    dlgYearView(SaveFileDialog& saveDialog, MessageBoxes& messages, QWidget* parent = nullptr);

    /// Draws the sheet and shows it at a zoom that fits the window.
    void ShowSheet(const YearSheet& sheet);
    ReportViewer* Viewer() const { return viewer_; }

  private:
    SaveFileDialog& saveDialog_;
    MessageBoxes& messages_;
    ReportViewer* viewer_ = nullptr;
};

}  // namespace quintrel
