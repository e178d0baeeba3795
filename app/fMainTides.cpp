// The "Tides" button of the main window: its menu starts the outside tide program or
// asks where it is.
#include <QAction>
#include <QCursor>
#include <QMenu>

#include "app/TideLauncher.h"
#include "app/fMain.h"

namespace quintrel {

void fMain::cmdTides_Click() {
    UpdateTidesMenu();
    raise();
    activateWindow();
    popTides->popup(QCursor::pos());
}

void fMain::UpdateTidesMenu() {
    miTides[kMiTidesRun]->setEnabled(IsRunTidesEnabled(State));
}

void fMain::miTides_Click(int index) {
    if (index == kMiTidesRun) {
        RunTideProgram(*services_.programStarter, *services_.messages, State, this);
    } else if (index == kMiTidesSetup) {
        LocateTideProgram(cdPrintSetup, State);
    }
}

}  // namespace quintrel
