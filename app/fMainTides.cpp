// The "Tides" button of the main window: its menu starts the outside tide program or
// asks where it is.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "app/TideLauncher.h"
#include "app/fMain.h"

namespace quintrel {

void fMain::cmdTides_Click() {
    raise();
    activateWindow();
    popTides->popup(cmdTides->mapToGlobal(QPoint(0, cmdTides->height())));
}

void fMain::UpdateTidesMenu() {
    const bool chosen = IsRunTidesEnabled(state_);
    miTides[kMiTidesRun]->setEnabled(chosen);
    // A greyed item alone leaves the user guessing what is missing.
    const QString why = chosen ? QString() : RunTidesUnavailableText();
    miTides[kMiTidesRun]->setToolTip(why);
    miTides[kMiTidesRun]->setStatusTip(why);
    cmdTides->setToolTip(chosen ? QStringLiteral("Start the tide program, or choose it (Setup)")
                                : why);
}

void fMain::miTides_Click(int index) {
    if (index == kMiTidesRun) {
        RunTideProgram(*services_.programStarter, *services_.messages, state_, this);
    } else if (index == kMiTidesSetup) {
        LocateTideProgram(*services_.openDialog, *services_.messages, state_, this);
        UpdateTidesMenu();
    }
}

}  // namespace quintrel
