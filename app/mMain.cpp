#include "app/mMain.h"

#include <QApplication>

#include "app/MainWindowServices.h"
#include "app/SystemSignals.h"
#include "app/fMain.h"
#include "ui/QtSaveFileDialog.h"

namespace quintrel {

int Main(const MainWindowServices& services) {
    fMain window(services);
    // The real save dialog opens centred over the window it serves.
    if (auto* dialog = dynamic_cast<QtSaveFileDialog*>(services.cdPrintSetup)) {
        dialog->SetParentWindow(&window);
    }
    window.Places.LocationsChanged = false;
    if (!window.Form_Load()) {
        return 1;
    }
    // Logging out or `kill` closes the program as its Exit button does, places saved.
    const SystemSignals closeOnSignal([&window] {
        window.CloseForSystem();
        // Ends a modal window's loop too, so nothing waits for an answer that will not come.
        QCoreApplication::exit(0);
    });
    window.show();
    return QApplication::exec();
}

}  // namespace quintrel
