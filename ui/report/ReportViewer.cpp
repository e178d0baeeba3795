#include "ui/report/ReportViewer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "table/Contrast.h"
#include "table/CsvExport.h"
#include "table/ReadingText.h"
#include "table/ReportZoom.h"
#include "ui/report/Accessible.h"
#include "ui/report/ReportEngine.h"
#include "ui/report/ReportPrinting.h"

namespace quintrel {

namespace {

constexpr std::array<int, 9> kZoomSteps = {25, 50, 75, 100, 125, 150, 200, 300, 400};
constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 400;
// The desk around and between pages: enough for the page's shadow, and small, so that a
// whole A4 page at a readable zoom fits a 1000-pixel screen.
constexpr int kPageGapPx = 6;
constexpr double kTwipsPerInch = 1440.0;
// The zoom choices that follow the view's size instead of a fixed percentage.
constexpr int kFitWidthChoice = -1;
constexpr int kFitPageChoice = -2;

// The place line of a month report's page header ("Lattitude: ..."), empty for a layout
// without one.
std::string PlaceLineCaption(const arReport& report) {
    for (const ReportSection& section : report.Sections()) {
        for (const ReportControl& control : section.controls) {
            if (control.name == "lblLattLong") {
                return control.caption;
            }
        }
    }
    return {};
}

}  // namespace

/// The scrolled canvas: the pages one below the other on a grey desk, each drawn once per
/// zoom into a cached pixmap so scrolling stays smooth.
class ReportPageView : public QWidget {
  public:
    explicit ReportPageView(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void SetDocument(const ReportDocument* document) {
        document_ = document;
        Relayout();
    }

    void SetZoom(int percent) {
        zoomPercent_ = percent;
        Relayout();
    }

    /// Screen pixels per twip at the current zoom.
    double Scale() const { return zoomPercent_ / 100.0 * logicalDpiX() / kTwipsPerInch; }

    QSize PageSizePx() const {
        if (!document_)
            return {};
        return {static_cast<int>(std::lround(document_->pageWidthTwips * Scale())),
                static_cast<int>(std::lround(document_->pageHeightTwips * Scale()))};
    }

    int PageTop(int index) const {
        return kPageGapPx + index * (PageSizePx().height() + kPageGapPx);
    }

    /// Called with a day line's row when it is clicked (activate false) or double-clicked.
    std::function<void(int row, bool activate)> onRow;
    int selectedRow = 0;

    int PageAt(int y) const {
        const int pages = document_ ? static_cast<int>(document_->pages.size()) : 0;
        if (pages == 0)
            return 0;
        const int stride = PageSizePx().height() + kPageGapPx;
        return std::clamp(stride > 0 ? (y - kPageGapPx / 2) / stride : 0, 0, pages - 1);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().color(QPalette::Dark));
        if (!document_)
            return;
        const QSize size = PageSizePx();
        const int left = PageLeft();
        for (int i = 0; i < static_cast<int>(document_->pages.size()); ++i) {
            const QRect pageRect(QPoint(left, PageTop(i)), size);
            if (!pageRect.adjusted(0, 0, 4, 4).intersects(event->rect()))
                continue;
            painter.fillRect(pageRect.translated(3, 3), QColor(0, 0, 0, 70));
            painter.drawPixmap(pageRect.topLeft(), PagePixmap(i));
            HighlightSelectedRow(painter, i, pageRect);
        }
    }

    void mousePressEvent(QMouseEvent* event) override { OnMouse(event, false); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { OnMouse(event, true); }

  private:
    int PageLeft() const { return std::max(kPageGapPx, (width() - PageSizePx().width()) / 2); }

    void OnMouse(QMouseEvent* event, bool activate) {
        QWidget::mousePressEvent(event);
        if (!document_ || document_->pages.empty() || event->button() != Qt::LeftButton)
            return;
        const QPoint point = event->position().toPoint();
        const int index = PageAt(point.y());
        const QRect pageRect(QPoint(PageLeft(), PageTop(index)), PageSizePx());
        if (!pageRect.contains(point))
            return;
        const int yTwips = static_cast<int>((point.y() - pageRect.top()) / Scale());
        const int row = RowAtHeight(document_->pages[static_cast<std::size_t>(index)], yTwips);
        if (row == 0)
            return;
        selectedRow = row;
        update();
        if (onRow)
            onRow(row, activate);
    }

    void HighlightSelectedRow(QPainter& painter, int index, const QRect& pageRect) {
        if (selectedRow == 0)
            return;
        for (const PageRow& row : document_->pages[static_cast<std::size_t>(index)].rows) {
            if (row.row != selectedRow)
                continue;
            const int top = pageRect.top() + static_cast<int>(std::lround(row.top * Scale()));
            const int bottom = pageRect.top() + static_cast<int>(std::lround(row.bottom * Scale()));
            // A tint under the text and a dark outline: the chosen line stands out without
            // hiding its figures, also in grey.
            const QRect band(pageRect.left() + 2, top, pageRect.width() - 4, bottom - top);
            painter.fillRect(band, QColor(0, 90, 200, 50));
            painter.setPen(QPen(QColor(kFocusMark.red, kFocusMark.green, kFocusMark.blue), 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(band);
        }
    }

    void Relayout() {
        cache_.clear();
        const int pages = document_ ? static_cast<int>(document_->pages.size()) : 0;
        const QSize size = PageSizePx();
        resize(size.width() + 2 * kPageGapPx, pages > 0 ? PageTop(pages) : 0);
        update();
    }

    const QPixmap& PagePixmap(int index) {
        if (cache_.size() != document_->pages.size())
            cache_.assign(document_->pages.size(), {});
        QPixmap& pixmap = cache_[static_cast<std::size_t>(index)];
        if (pixmap.isNull()) {
            const qreal ratio = devicePixelRatioF();
            pixmap = QPixmap(PageSizePx() * ratio);
            pixmap.setDevicePixelRatio(ratio);
            pixmap.fill(Qt::white);
            QPainter painter(&pixmap);
            painter.scale(Scale(), Scale());
            DrawReportPage(painter, document_->pages[static_cast<std::size_t>(index)]);
        }
        return pixmap;
    }

    const ReportDocument* document_ = nullptr;
    int zoomPercent_ = 100;
    std::vector<QPixmap> cache_;
};

/// The page as assistive technology sees it: a document named by its selected line (or its
/// title) whose text is the viewer's reading text.
class ReportPageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    ReportPageAccessible(QWidget* page, const ReportViewer* viewer)
        : QAccessibleWidget(page, QAccessible::Document), viewer_(viewer) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }

    // Read-only text without a selection of its own; the caret only marks where reading is.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return std::min(cursor_, characterCount()); }
    void setCursorPosition(int position) override { cursor_ = std::max(0, position); }
    QString text(int startOffset, int endOffset) const override {
        return Text().mid(startOffset, endOffset - startOffset);
    }
    QString text(QAccessible::Text kind) const override { return QAccessibleWidget::text(kind); }
    int characterCount() const override { return static_cast<int>(Text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

  private:
    QString Text() const { return viewer_->ReadingText(); }

    const ReportViewer* viewer_;
    int cursor_ = 0;
};

namespace {

QAccessibleInterface* ReportPageFactory(const QString&, QObject* object) {
    if (auto* page = dynamic_cast<ReportPageView*>(object)) {
        for (QWidget* up = page->parentWidget(); up != nullptr; up = up->parentWidget()) {
            if (auto* viewer = qobject_cast<ReportViewer*>(up)) {
                return new ReportPageAccessible(page, viewer);
            }
        }
    }
    return nullptr;
}

}  // namespace

ReportViewer::ReportViewer(QWidget* parent) : QWidget(parent) {
    InstallAccessibleInterfaces();
    static const bool pageFactoryInstalled = [] {
        QAccessible::installFactory(ReportPageFactory);
        return true;
    }();
    (void)pageFactoryInstalled;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("ReportToolBar"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The style's own focus mark on a flat tool button is a faint tint; a dark frame of the
    // program's focus colour shows at a glance which tool Enter will press. Every state gets
    // the same border width so that nothing moves when the focus arrives.
    const QString focus = QStringLiteral("rgb(%1, %2, %3)")
                              .arg(kFocusMark.red)
                              .arg(kFocusMark.green)
                              .arg(kFocusMark.blue);
    toolBar_->setStyleSheet(
        QStringLiteral("QToolBar { padding: 0px; spacing: 2px; }"
                       "QToolButton { border: 2px solid transparent; border-radius: 3px;"
                       " padding: 2px 4px; }"
                       "QToolButton:hover { border-color: palette(mid); }"
                       "QToolButton:pressed { background-color: palette(midlight);"
                       " border-color: palette(dark); }"
                       "QToolButton:focus { border-color: %1; }"
                       // The overflow button is narrow: its arrow needs all of its width.
                       "QToolButton#qt_toolbar_ext_button { border-width: 1px; padding: 0px; }"
                       "QPushButton:focus { border: 2px solid %1; border-radius: 3px;"
                       " padding: 3px 10px; background-color: palette(button); }")
            .arg(focus));
    layout->addWidget(toolBar_);

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scrollArea_->setBackgroundRole(QPalette::Dark);
    pageView_ = new ReportPageView(scrollArea_);
    scrollArea_->setWidget(pageView_);
    scrollArea_->setWidgetResizable(false);
    // The page itself takes the focus (its day lines answer the arrow keys), not the
    // scrolling frame around it.
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setObjectName(QStringLiteral("reportPages"));
    ShowFocusFrame(false);
    pageView_->setObjectName(QStringLiteral("reportPage"));
    pageView_->setFocusPolicy(Qt::StrongFocus);
    pageView_->setAccessibleName(tr("Report page"));
    pageView_->installEventFilter(this);
    // A fit follows the room the pages have, which changes with the window and with the
    // note line below.
    scrollArea_->viewport()->installEventFilter(this);
    layout->addWidget(scrollArea_, 1);

    // A line under the pages, like a status bar, only while "Fit page" cannot show a whole
    // page at a readable size; the toolbar keeps all its room for the tools.
    fitNote_ = new QLabel(this);
    fitNote_->setObjectName(QStringLiteral("fitNote"));
    fitNote_->setWordWrap(true);
    fitNote_->setContentsMargins(6, 2, 6, 2);
    fitNote_->hide();
    layout->addWidget(fitNote_);

    QAction* print = AddTool(tr("Print"), QStringLiteral("toolPrint"));
    print->setToolTip(tr("Print the report (Ctrl+P)"));
    print->setShortcut(QKeySequence::Print);
    QAction* copy = AddTool(tr("Copy"), QStringLiteral("toolCopy"));
    copy->setToolTip(tr("Copy this page as a picture and the table as text"));
    toolBar_->addSeparator();
    toolBar_->addSeparator();
    QAction* first = AddTool(tr("First Page"), QStringLiteral("toolFirstPage"));
    first->setIconText(QStringLiteral("|\u25C0"));
    QAction* previous = AddTool(tr("Previous Page"), QStringLiteral("toolPreviousPage"));
    previous->setIconText(QStringLiteral("\u25C0"));

    auto* pageBox = new QWidget(toolBar_);
    auto* pageLayout = new QHBoxLayout(pageBox);
    pageLayout->setContentsMargins(4, 0, 4, 0);
    pageBox_ = new QSpinBox(pageBox);
    pageBox_->setObjectName(QStringLiteral("pageNumber"));
    pageBox_->setRange(1, 1);
    pageBox_->setToolTip(tr("Page number"));
    pageBox_->setAccessibleName(tr("Page number"));
    pageCountLabel_ = new QLabel(pageBox);
    pageLayout->addWidget(pageBox_);
    pageLayout->addWidget(pageCountLabel_);
    toolBar_->addWidget(pageBox);

    QAction* next = AddTool(tr("Next Page"), QStringLiteral("toolNextPage"));
    next->setIconText(QStringLiteral("\u25B6"));
    QAction* last = AddTool(tr("Last Page"), QStringLiteral("toolLastPage"));
    last->setIconText(QStringLiteral("\u25B6|"));
    toolBar_->addSeparator();
    QAction* zoomOut = AddTool(tr("Zoom Out"), QStringLiteral("toolZoomOut"));
    zoomOut->setIconText(QStringLiteral("\u2212"));
    QAction* zoomIn = AddTool(tr("Zoom In"), QStringLiteral("toolZoomIn"));
    zoomIn->setIconText(QStringLiteral("+"));

    zoomChoice_ = new QComboBox(toolBar_);
    zoomChoice_->setObjectName(QStringLiteral("zoomChoice"));
    zoomChoice_->setToolTip(tr("Zoom"));
    zoomChoice_->setAccessibleName(tr("Zoom"));
    for (int step : kZoomSteps)
        zoomChoice_->addItem(QStringLiteral("%1%").arg(step), step);
    zoomChoice_->addItem(tr("Fit width"), kFitWidthChoice);
    zoomChoice_->addItem(tr("Fit page"), kFitPageChoice);
    toolBar_->addWidget(zoomChoice_);

    // Text-only buttons show the short icon texts; the full captions stay the tools' texts.
    for (QAction* tool : {first, previous, next, last, zoomOut, zoomIn}) {
        tool->setToolTip(tool->text());
    }

    pageView_->onRow = [this](int row, bool activate) {
        UpdateReading();
        if (activate)
            emit DayLineActivated(row);
    };
    connect(toolBar_, &QToolBar::actionTriggered, this,
            [this](QAction* tool) { emit ToolClick(tool); });
    connect(print, &QAction::triggered, this, &ReportViewer::PrintReport);
    connect(copy, &QAction::triggered, this, &ReportViewer::CopyCurrentPage);
    connect(first, &QAction::triggered, this, [this] { ShowPage(0); });
    connect(previous, &QAction::triggered, this, [this] { ShowPage(currentPage_ - 1); });
    connect(next, &QAction::triggered, this, [this] { ShowPage(currentPage_ + 1); });
    connect(last, &QAction::triggered, this, [this] { ShowPage(PageCount() - 1); });
    connect(zoomIn, &QAction::triggered, this, [this] {
        const auto step = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), zoomPercent_);
        SetZoom(step == kZoomSteps.end() ? kMaxZoom : *step);
    });
    connect(zoomOut, &QAction::triggered, this, [this] {
        const auto step = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), zoomPercent_);
        SetZoom(step == kZoomSteps.begin() ? kMinZoom : *(step - 1));
    });
    connect(zoomChoice_, &QComboBox::activated, this, [this](int index) {
        const int choice = zoomChoice_->itemData(index).toInt();
        if (choice == kFitWidthChoice) {
            SetFit(ZoomFit::Width);
        } else if (choice == kFitPageChoice) {
            SetFit(ZoomFit::Page);
        } else {
            SetZoom(choice);
        }
    });
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int number) {
        if (number - 1 != currentPage_)
            ShowPage(number - 1);
    });
    connect(scrollArea_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ReportViewer::OnScrolled);

    // When the window is too narrow for every tool, the toolbar hides the last ones behind
    // its extension button; the keyboard and a screen reader must reach that button too.
    if (auto* more = toolBar_->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setFocusPolicy(Qt::TabFocus);
        more->setAccessibleName(tr("More tools"));
        more->setToolTip(tr("More tools"));
        more->installEventFilter(this);
    }

    UpdateSeparators();
    SetZoom(100);
    UpdatePageControls();
}

bool ReportViewer::FocusFrameShown() const {
    return focusFrameShown_;
}

void ReportViewer::ShowFocusFrame(bool shown) {
    // A frame of the focus colour around the pages while they have the focus; the same
    // width in the frame's own grey otherwise, so that nothing moves.
    focusFrameShown_ = shown;
    const QString colour = shown ? QStringLiteral("rgb(%1, %2, %3)")
                                       .arg(kFocusMark.red)
                                       .arg(kFocusMark.green)
                                       .arg(kFocusMark.blue)
                                 : QStringLiteral("palette(mid)");
    scrollArea_->setStyleSheet(
        QStringLiteral("QScrollArea#reportPages { border: 2px solid %1; }").arg(colour));
}

bool ReportViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollArea_->viewport() && event->type() == QEvent::Resize) {
        ApplyFit();
    }
    if (watched == pageView_ &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        ShowFocusFrame(event->type() == QEvent::FocusIn);
    }
    if (watched == pageView_ && event->type() == QEvent::KeyPress &&
        StepSelection(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    // Tool buttons answer Space; Enter should work on them as on any other button.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (button != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ReportViewer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyFit();
}

ReportViewer::~ReportViewer() = default;

QAction* ReportViewer::AddTool(const QString& caption, const QString& objectName) {
    auto* tool = new QAction(caption, toolBar_);
    tool->setObjectName(objectName);
    toolBar_->addAction(tool);
    return tool;
}

QAction* ReportViewer::InsertTool(int position, const QString& caption) {
    const QList<QAction*> tools = toolBar_->actions();
    position = std::clamp(position, 0, static_cast<int>(tools.size()));
    auto* tool = new QAction(caption, toolBar_);
    toolBar_->insertAction(position < tools.size() ? tools[position] : nullptr, tool);
    UpdateSeparators();
    return tool;
}

QList<QAction*> ReportViewer::Tools() const {
    return toolBar_->actions();
}

void ReportViewer::UpdateSeparators() {
    // Hides separators that would stand at the start, at the end or beside another one.
    QAction* lastShown = nullptr;
    for (QAction* tool : toolBar_->actions()) {
        // A toolbar keeps its buttons out of the Tab chain; the keyboard must reach them.
        if (QWidget* button = toolBar_->widgetForAction(tool);
            button != nullptr && qobject_cast<QAbstractButton*>(button) != nullptr) {
            button->setFocusPolicy(Qt::TabFocus);
            button->installEventFilter(this);
            // Buttons show short signs ("|<", "-"); a screen reader says the full caption.
            button->setAccessibleName(tool->text());
        }
        if (tool->isSeparator()) {
            const bool show = lastShown && !lastShown->isSeparator();
            tool->setVisible(show);
            if (show)
                lastShown = tool;
        } else if (tool->isVisible()) {
            lastShown = tool;
        }
    }
    if (lastShown && lastShown->isSeparator())
        lastShown->setVisible(false);
}

void ReportViewer::SetReportSource(std::unique_ptr<arReport> report) {
    if (!report)
        return;
    // Run first: if an event fails, the report shown before stays shown.
    ReportDocument document = RunReport(*report);
    // A month report is read line by line in words; another layout (the planner's list)
    // is read from the texts on its pages.
    if (!report->Table().rows.empty()) {
        for (const std::string& line :
             MonthReportHeadingLines(report->Title(), PlaceLineCaption(*report))) {
            document.readingHeadings.push_back(QString::fromStdString(line));
        }
        for (const DayRow& row : report->Table().rows) {
            document.readingRows.push_back(QString::fromStdString(DayLineText(row)));
        }
    }
    report_ = std::move(report);
    ShowDocument(std::move(document));
}

void ReportViewer::SetDocument(ReportDocument document) {
    report_.reset();
    ShowDocument(std::move(document));
}

void ReportViewer::ShowDocument(ReportDocument document) {
    document_ = std::move(document);
    pageView_->selectedRow = 0;
    pageView_->SetDocument(&document_);
    currentPage_ = -1;
    ApplyFit();
    ShowPage(0);
    UpdatePageControls();
    UpdateReading();
}

QString ReportViewer::ReadingText() const {
    QStringList lines;
    const int row = SelectedRow();
    const auto& rows = document_.readingRows;
    if (row > 0 && row <= static_cast<int>(rows.size())) {
        lines << tr("Selected: %1").arg(rows[static_cast<std::size_t>(row - 1)]);
    }
    if (PageCount() == 0) {
        return lines.join(QLatin1Char('\n'));
    }
    const ReportPage& page = document_.pages[static_cast<std::size_t>(currentPage_)];
    if (document_.readingHeadings.empty() && rows.empty()) {
        lines << PageText(page);
        return lines.join(QLatin1Char('\n'));
    }
    for (const QString& heading : document_.readingHeadings) {
        lines << heading;
    }
    for (const PageRow& line : page.rows) {
        if (line.row > 0 && line.row <= static_cast<int>(rows.size())) {
            lines << rows[static_cast<std::size_t>(line.row - 1)];
        }
    }
    return lines.join(QLatin1Char('\n'));
}

void ReportViewer::UpdateReading() {
    const int row = SelectedRow();
    const auto& rows = document_.readingRows;
    QString name = document_.title.isEmpty() ? tr("Report page") : document_.title;
    if (row > 0 && row <= static_cast<int>(rows.size())) {
        name = rows[static_cast<std::size_t>(row - 1)];
    }
    pageView_->setAccessibleName(name);
    const QString text = ReadingText();
    if (text != readingText_ && QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(pageView_, 0, readingText_, text);
        QAccessible::updateAccessibility(&event);
    }
    readingText_ = text;
}

int ReportViewer::SelectedRow() const {
    return pageView_->selectedRow;
}

bool ReportViewer::StepSelection(int key) {
    if (PageCount() == 0) {
        return false;
    }
    const std::vector<PageRow>& onPage =
        document_.pages[static_cast<std::size_t>(currentPage_)].rows;
    int firstRow = 0;
    int lastRow = 0;
    for (const ReportPage& page : document_.pages) {
        for (const PageRow& line : page.rows) {
            firstRow = firstRow == 0 ? line.row : std::min(firstRow, line.row);
            lastRow = std::max(lastRow, line.row);
        }
    }
    if (lastRow == 0) {
        return false;  // a page without day lines scrolls as usual
    }
    const int selected = SelectedRow();
    switch (key) {
        case Qt::Key_Down:
            // Nothing chosen yet: start at the top of the page being read.
            SelectRow(selected == 0 ? (onPage.empty() ? firstRow : onPage.front().row)
                                    : selected + 1);
            return true;
        case Qt::Key_Up:
            SelectRow(selected == 0 ? (onPage.empty() ? lastRow : onPage.back().row)
                                    : std::max(firstRow, selected - 1));
            return true;
        case Qt::Key_Home:
            SelectRow(firstRow);
            return true;
        case Qt::Key_End:
            SelectRow(lastRow);
            return true;
        default:
            return false;
    }
}

void ReportViewer::SelectRow(int row) {
    int lastRow = 0;
    for (const ReportPage& page : document_.pages) {
        for (const PageRow& line : page.rows) {
            lastRow = std::max(lastRow, line.row);
        }
    }
    row = std::clamp(row, 0, lastRow);
    pageView_->selectedRow = row;
    pageView_->update();
    for (int index = 0; index < PageCount(); ++index) {
        for (const PageRow& line : document_.pages[static_cast<std::size_t>(index)].rows) {
            if (line.row != row) {
                continue;
            }
            const double scale = pageView_->Scale();
            const int top = pageView_->PageTop(index) + static_cast<int>(line.top * scale);
            const int bottom = pageView_->PageTop(index) + static_cast<int>(line.bottom * scale);
            const int margin = (bottom - top) * 2;
            if (index != currentPage_) {
                ShowPage(index);
            }
            scrollArea_->ensureVisible(pageView_->width() / 2, (top + bottom) / 2, 0,
                                       (bottom - top) / 2 + margin);
        }
    }
    UpdateReading();
}

void ReportViewer::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SelectedRow() > 0) {
        emit DayLineActivated(SelectedRow());
        return;
    }
    QWidget::keyPressEvent(event);
}

void ReportViewer::SetZoom(int percent) {
    fit_ = ZoomFit::None;
    ShowFitNote(false);
    ApplyZoom(percent);
}

void ReportViewer::SetFit(ZoomFit fit) {
    fit_ = fit;
    ApplyFit();
}

void ReportViewer::ApplyFit() {
    if (zoomChoice_ == nullptr) {
        return;  // still being built
    }
    if (fit_ == ZoomFit::None || document_.pageWidthTwips <= 0 || document_.pageHeightTwips <= 0) {
        ShowFitNote(false);
        return;
    }
    // The page and the desk's margins inside the view, less a scroll bar's width so that
    // fitting does not itself call up the bar that would spoil the fit. The note line
    // under the pages does not count: it comes only when the page does not fit anyway.
    const QSize view = scrollArea_->viewport()->size();
    const int note = fitNote_->isHidden() ? 0 : fitNote_->heightForWidth(width());
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const double dpi = logicalDpiX();
    const double roomWidth = view.width() - bar - 2 * kPageGapPx;
    if (fit_ == ZoomFit::Width) {
        ShowFitNote(false);
        ApplyZoom(FitWidth(roomWidth, document_.pageWidthTwips, dpi));
        return;
    }
    const PageFit fit =
        FitPage(roomWidth, view.height() + note - 2 * kPageGapPx, document_.pageWidthTwips,
                document_.pageHeightTwips, dpi, ReadableZoom(document_.readableTextPoints, dpi));
    ShowFitNote(fit.tooSmall, fit.percent);
    ApplyZoom(fit.percent);
}

void ReportViewer::ShowFitNote(bool shown, int percent) {
    const QString note =
        shown ? tr("The window is too small for a whole page with readable text: showing %1%. "
                   "Enlarge the window, or choose a zoom.")
                    .arg(percent)
              : QString();
    zoomChoice_->setToolTip(shown ? tr("Zoom: %1").arg(note) : tr("Zoom"));
    if (fitNote_->text() != note) {
        fitNote_->setText(note);
    }
    fitNote_->setVisible(shown);
}

bool ReportViewer::FitNoteShown() const {
    return !fitNote_->isHidden();
}

void ReportViewer::ApplyZoom(int percent) {
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    const int page = currentPage_;
    const bool changed = percent != zoomPercent_;
    zoomPercent_ = percent;
    pageView_->SetZoom(percent);
    const int index = zoomChoice_->findData(fit_ == ZoomFit::Width  ? kFitWidthChoice
                                            : fit_ == ZoomFit::Page ? kFitPageChoice
                                                                    : percent);
    if (index >= 0) {
        zoomChoice_->setCurrentIndex(index);
    } else {
        // A zoom between the steps: show it without adding it to the choices for good.
        zoomChoice_->setCurrentIndex(-1);
        zoomChoice_->setPlaceholderText(QStringLiteral("%1%").arg(percent));
    }
    if (PageCount() > 0)
        ShowPage(std::max(page, 0));
    if (changed)
        emit ZoomChanged(percent);
}

void ReportViewer::ShowPage(int index) {
    if (PageCount() == 0) {
        currentPage_ = 0;
        UpdatePageControls();
        return;
    }
    index = std::clamp(index, 0, PageCount() - 1);
    scrollArea_->verticalScrollBar()->setValue(pageView_->PageTop(index) - kPageGapPx / 2);
    if (index != currentPage_) {
        currentPage_ = index;
        emit CurrentPageChanged(index);
        UpdateReading();
    }
    UpdatePageControls();
}

void ReportViewer::OnScrolled() {
    if (PageCount() == 0)
        return;
    // The page that fills the top third of the view is the one being read.
    const int y = scrollArea_->verticalScrollBar()->value() + scrollArea_->viewport()->height() / 3;
    const int page = pageView_->PageAt(y);
    if (page != currentPage_) {
        currentPage_ = page;
        emit CurrentPageChanged(page);
        UpdatePageControls();
        UpdateReading();
    }
}

void ReportViewer::UpdatePageControls() {
    const int pages = PageCount();
    const QSignalBlocker block(pageBox_);
    pageBox_->setRange(1, std::max(pages, 1));
    pageBox_->setValue(currentPage_ + 1);
    pageBox_->setEnabled(pages > 1);
    pageCountLabel_->setText(tr("of %1").arg(pages));
    for (QAction* tool : toolBar_->actions()) {
        const QString name = tool->objectName();
        if (name == QLatin1String("toolFirstPage") || name == QLatin1String("toolPreviousPage")) {
            tool->setEnabled(currentPage_ > 0);
        } else if (name == QLatin1String("toolNextPage") || name == QLatin1String("toolLastPage")) {
            tool->setEnabled(currentPage_ < pages - 1);
        } else if (name == QLatin1String("toolPrint") || name == QLatin1String("toolCopy")) {
            tool->setEnabled(pages > 0);
        }
    }
}

void ReportViewer::PrintReport() {
    if (PageCount() == 0)
        return;
    if (PrintWithDialog(document_, this, true) == PrintOutcome::Failed) {
        QMessageBox::warning(this, tr("Print"), tr("The report could not be printed."));
    }
}

void ReportViewer::CopyCurrentPage() {
    if (PageCount() == 0)
        return;
    // 150 dots per inch: sharp enough to paste into a letter, small enough for a clipboard.
    constexpr double kScale = 150.0 / kTwipsPerInch;
    QImage image(static_cast<int>(document_.pageWidthTwips * kScale),
                 static_cast<int>(document_.pageHeightTwips * kScale), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(kScale, kScale);
        DrawReportPage(painter, document_.pages[static_cast<std::size_t>(currentPage_)]);
    }
    // Both at once: a picture for a letter, the table as text for a spreadsheet or a mail.
    auto* clip = new QMimeData;
    clip->setImageData(image);
    if (report_ != nullptr) {
        clip->setText(QString::fromStdString(BuildTabSeparatedText(report_->Table())));
    }
    QApplication::clipboard()->setMimeData(clip);
}

}  // namespace quintrel
