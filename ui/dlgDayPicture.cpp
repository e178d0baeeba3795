#include "ui/dlgDayPicture.h"

#include <QAction>
#include <QVBoxLayout>
#include <exception>
#include <utility>

#include "ui/MessageBoxes.h"
#include "ui/report/DayPictureDocument.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

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

    resize(1100, 800);
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
