#include "ui/dlgDayPicture.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <exception>
#include <utility>

#include "ui/MessageBoxes.h"
#include "ui/report/DayPictureDocument.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

namespace {

// What the window manager's frame and title bar add around the window, at most.
const QSize kFrameAllowance(24, 64);

}  // namespace

dlgDayPicture::dlgDayPicture(DayView view, QString placeText, MessageBoxes& messages,
                             std::function<void(const ReportDocument&, QWidget*)> exportPdf,
                             QWidget* parent)
    : QDialog(parent),
      view_(std::move(view)),
      placeText_(std::move(placeText)),
      messages_(messages),
      exportPdf_(std::move(exportPdf)) {
    setObjectName(QStringLiteral("dlgDayPicture"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    arvDay = new ReportViewer(this);
    arvDay->setObjectName(QStringLiteral("arvDay"));
    layout->addWidget(arvDay);

    // In the group of the program's own tools, between Copy and the paging tools.
    toolPreviousDay = arvDay->InsertTool(3, tr("Previous Day"));
    toolPreviousDay->setObjectName(QStringLiteral("toolPreviousDay"));
    toolNextDay = arvDay->InsertTool(4, tr("Next Day"));
    toolNextDay->setObjectName(QStringLiteral("toolNextDay"));
    QAction* pdf = arvDay->InsertTool(5, QStringLiteral("PDF Export"));
    pdf->setObjectName(QStringLiteral("toolPdfExport"));
    // The arrows step days anywhere in the window, also while the page has the focus.
    toolPreviousDay->setShortcut(QKeySequence(Qt::Key_Left));
    toolNextDay->setShortcut(QKeySequence(Qt::Key_Right));
    for (QAction* tool : {toolPreviousDay, toolNextDay})
        tool->setShortcutContext(Qt::WindowShortcut);

    connect(toolPreviousDay, &QAction::triggered, this, [this] { StepDay(-1); });
    connect(toolNextDay, &QAction::triggered, this, [this] { StepDay(1); });
    connect(pdf, &QAction::triggered, this, [this] {
        if (exportPdf_)
            exportPdf_(arvDay->Document(), this);
    });

    // Large enough for the picture at a readable zoom, but never beyond the screen: on a
    // 1366 x 768 laptop 800 pixels and a title bar would hide the bottom of the window.
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    QSize size(1100, 800);
    if (screen != nullptr) {
        const QSize available = screen->availableGeometry().size() - kFrameAllowance;
        size = size.boundedTo(available);
    }
    resize(size);
    ShowPicture();
    arvDay->SetZoom(75);
}

void dlgDayPicture::StepDay(int days) {
    try {
        view_.Step(days);
    } catch (const std::exception& error) {
        messages_.Exclamation(tr("Day Picture"), QString::fromStdString(error.what()), this);
        return;
    }
    ShowPicture();
}

void dlgDayPicture::ShowPicture() {
    const int zoom = arvDay->Zoom();
    ReportDocument document =
        RecordDayPicture(view_.Picture(), placeText_.toStdString(), view_.Record());
    setWindowTitle(document.title);
    arvDay->SetDocument(std::move(document));
    arvDay->SetZoom(zoom);
}

}  // namespace quintrel
