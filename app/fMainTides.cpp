// The "Tides" button of the main window: its menu starts the outside tide program or
// asks where it is.
#include <QAction>
#include <QCursor>
#include <QMenu>

#include "app/TideLauncher.h"
#include "app/fMain.h"

namespace quintrel {

void fMain::cmdTides_Click() {
    raise();
    activateWindow();
    popTides->popup(QCursor::pos());
}

void fMain::UpdateTidesMenu() {
    miTides[kMiTidesRun]->setEnabled(IsRunTidesEnabled(state_));
}

void fMain::miTides_Click(int index) {
    if (index == kMiTidesRun) {
        RunTideProgram(*services_.programStarter, *services_.messages, state_, this);
    } else if (index == kMiTidesSetup) {
        LocateTideProgram(cdPrintSetup, *services_.messages, state_, this);
    }
}

}  // namespace quintrel
