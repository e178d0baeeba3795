#pragma once

#include <QAction>
#include <QList>
#include <QWidget>
#include <memory>

#include "table/arReport.h"
#include "ui/report/ReportDocument.h"

class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolBar;

namespace quintrel {

class ReportPageView;

/// The report viewer (the main window's `arvReport`): shows the pages of a report run,
/// scrolls through them, zooms, prints, and carries a toolbar to which the program adds its
/// own tools.
///
/// Use from the main window:
/// \code
///   auto* viewer = new ReportViewer(this);
///   viewer->setObjectName("arvReport");
///   connect(viewer, &ReportViewer::ToolClick, this, [this](QAction* tool) {
///       if (tool->text() == "PDF Export") ...;   // the caption is the tool's text
///   });
///   viewer->SetReportSource(NewMonthReport(table, record, placeText));  // runs and shows it
///   viewer->InsertTool(3, "PDF Export");  // once per program run
///   viewer->InsertTool(4, "CSV Export");
///   viewer->SetZoom(75);  // once: the user's zoom then stays across reports
///   WritePdf(viewer->Document(), QString::fromStdString(path));  // the pages shown, into a PDF
/// \endcode
///
/// Tools are QActions in toolbar order; a separator counts as a tool. The built-in tools:
/// 0 "Print", 1 "Copy", 2 separator, 3 separator, 4 "First Page", 5 "Previous Page",
/// 6 page number box, 7 "Next Page", 8 "Last Page", 9 separator, 10 "Zoom Out",
/// 11 "Zoom In", 12 zoom choice (steps, "Fit width", "Fit page"). Every tool button is in
/// the Tab chain and works with Space and Enter; Print is also Ctrl+P. Two separators in a row show
/// as one, so tools inserted at 3 and 4 sit in a group of their own between Copy and the paging
/// tools.
class ReportViewer : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int zoom READ Zoom WRITE SetZoom NOTIFY ZoomChanged)

  public:
    explicit ReportViewer(QWidget* parent = nullptr);
    /// True while the frame around the pages shows that they have the focus.
    bool FocusFrameShown() const;
    ~ReportViewer() override;

    /// Runs `report` on the report engine (report start, data initialisation, one fetch per
    /// row until eof, report end), lays out its pages and shows the first one; the viewer
    /// owns the report from now on and drops the one shown before. If the run throws
    /// (CoreError from a report event), the exception passes to the caller and the report
    /// shown before stays.
    void SetReportSource(std::unique_ptr<arReport> report);
    /// Shows pages recorded without a banded report (the year at a glance, the day
    /// picture); ReportSource() is then nullptr.
    void SetDocument(ReportDocument document);
    /// The report shown, or nullptr before the first one.
    arReport* ReportSource() const { return report_.get(); }
    /// The pages of the report shown (no pages before the first one).
    const ReportDocument& Document() const { return document_; }

    /// Zoom in per cent of the real page size, 10..400; other values are clamped. Setting
    /// it ends a fit to the view. It stays when a new report is shown.
    int Zoom() const { return zoomPercent_; }
    void SetZoom(int percent);

    /// Zoom that follows the view's size: the page's width, or the whole page, fills it.
    /// "Fit page" never zooms below the size at which the document's readable text
    /// (ReportDocument::readableTextPoints) is 9 pixels high; when a whole page fits only
    /// below it, the zoom stays there and a note under the pages says why.
    enum class ZoomFit { None, Width, Page };
    ZoomFit Fit() const { return fit_; }
    void SetFit(ZoomFit fit);
    /// True while the note that the window is too small for a whole page is shown.
    bool FitNoteShown() const;

    int PageCount() const { return static_cast<int>(document_.pages.size()); }
    /// The page at the top of the view, 0-based (0 when there are no pages).
    int CurrentPage() const { return currentPage_; }
    /// Scrolls to page `index` (0-based, clamped to the pages there are).
    void ShowPage(int index);

    /// Inserts a tool captioned `caption` at `position` of the tool collection (clamped to
    /// 0..number of tools) and returns it; clicking it emits ToolClick.
    QAction* InsertTool(int position, const QString& caption);
    /// The tool collection in toolbar order (built-in tools, separators and inserted tools).
    QList<QAction*> Tools() const;
    QToolBar* ToolBar() const { return toolBar_; }

    /// Opens the print dialog and prints the pages shown (portrait, the laid-out paper size).
    void PrintReport();

    /// The day line chosen by a click or the arrow keys (1-based row of the report's
    /// table), or 0.
    int SelectedRow() const;
    /// Chooses day line `row` (clamped to the report's rows; 0 chooses none), marks it on the
    /// page, shows the page that holds it and scrolls the line into view.
    void SelectRow(int row);

    /// What a screen reader reads on the page shown: the selected line first ("Selected:
    /// ..."), then the page's headings and its lines, one per line of text.
    QString ReadingText() const;

  signals:
    /// Any tool of the toolbar was clicked, built-in or inserted; `tool->text()` is its caption.
    void ToolClick(QAction* tool);
    void ZoomChanged(int percent);
    void CurrentPageChanged(int index);
    /// A day line was double-clicked, or Enter was pressed on the one chosen by a click or
    /// the arrow keys;
    /// `row` is its 1-based row of the report's table.
    void DayLineActivated(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ApplyZoom(int percent);
    void ApplyFit();
    /// The note under the pages (and the zoom box's tip) that "Fit page" holds at the
    /// readable `percent` because a whole page does not fit.
    void ShowFitNote(bool shown, int percent = 0);
    QAction* AddTool(const QString& caption, const QString& objectName);
    void ShowDocument(ReportDocument document);
    void UpdateSeparators();
    void UpdatePageControls();
    void OnScrolled();
    void CopyCurrentPage();
    /// Names the page for screen readers (the selected line, or the report's title) and
    /// tells them its text changed.
    void UpdateReading();
    /// Up, Down, Home and End on the page move the chosen day line; false for other keys or
    /// a report without day lines.
    bool StepSelection(int key);
    /// The frame around the pages: the focus colour while the page has the focus.
    void ShowFocusFrame(bool shown);

    std::unique_ptr<arReport> report_;
    ReportDocument document_;
    int zoomPercent_ = 100;
    ZoomFit fit_ = ZoomFit::None;
    int currentPage_ = 0;
    QToolBar* toolBar_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    ReportPageView* pageView_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* pageCountLabel_ = nullptr;
    QComboBox* zoomChoice_ = nullptr;
    QLabel* fitNote_ = nullptr;
    QString readingText_;
    bool focusFrameShown_ = false;
};

}  // namespace quintrel
