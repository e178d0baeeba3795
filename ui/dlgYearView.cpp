#include "ui/dlgYearView.h"

#include <QAction>
#include <QVBoxLayout>

#include "ui/Exports.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportViewer.h"
#include "ui/report/YearViewDocument.h"

namespace quintrel {

dlgYearView::dlgYearView(SaveFileDialog& saveDialog, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), saveDialog_(saveDialog), messages_(messages) {
    setObjectName(QStringLiteral("dlgYearView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    viewer_ = new ReportViewer(this);
    viewer_->setObjectName(QStringLiteral("arvYear"));
    layout->addWidget(viewer_);
    viewer_->InsertTool(3, QStringLiteral("PDF Export"));
    connect(viewer_, &ReportViewer::ToolClick, this, [this](QAction* tool) {
        if (tool->text() == QStringLiteral("PDF Export")) {
            ExportPdf(
                saveDialog_, messages_,
                [this](const std::string& path) {
                    WritePdf(viewer_->Document(), QString::fromStdString(path));
                },
                nullptr, this);
        }
    });
    resize(720, 900);
}

void dlgYearView::ShowSheet(const YearSheet& sheet) {
    setWindowTitle(QString::fromStdString(sheet.title));
    viewer_->SetDocument(YearViewDocument(sheet));
    viewer_->SetZoom(75);
}

}  // namespace quintrel
