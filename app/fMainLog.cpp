// The log on the main window: its button beside the planner's, and its window.
#include <QPushButton>
#include <QToolBar>

#include "app/fMain.h"
#include "log/LogFiles.h"
#include "ui/QtOpenFileDialog.h"
#include "ui/dlgLog.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

void fMain::BuildLogButton() {
    cmdLog = new QPushButton(QStringLiteral("Log"), arvReport->ToolBar());
    cmdLog->setObjectName(QStringLiteral("cmdLog"));
    cmdLog->setAutoDefault(false);
    cmdLog->setToolTip(QStringLiteral("Your outings and catches, and how the predictions did"));
    arvReport->ToolBar()->addWidget(cmdLog);
    connect(cmdLog, &QPushButton::clicked, this, &fMain::cmdLog_Click);
}

dlgLog* fMain::LogWindow() const {
    return logWindow_;
}

void fMain::cmdLog_Click() {
    if (logWindow_) {
        logWindow_->raise();
        logWindow_->activateWindow();
        return;
    }
    if (services_.openDialog == nullptr && !ownOpenDialog_) {
        ownOpenDialog_ = std::make_unique<QtOpenFileDialog>();
    }
    LogServices services;
    services.settings = services_.settings;
    services.messages = services_.messages;
    services.saveDialog = &cdPrintSetup;
    services.openDialog = services_.openDialog ? services_.openDialog : ownOpenDialog_.get();
    // The log lives beside the place list in use, as the command line finds it.
    services.logPath = logbook::LogPathBesidePlaceList(services_.placeDirectory + "/locs.dat");
    services.places = &places_.Locations;
    services.tideData = [this] { return TideData(); };
    logWindow_ = dlgLog::Open(services, this);
    if (logWindow_) {
        // A window of its own beside the main window, not one kept above it.
        logWindow_->setWindowFlag(Qt::Window);
        logWindow_->show();
    }
}

}  // namespace quintrel
