#include "app/mMain.h"

#include <QApplication>

#include "app/MainWindowServices.h"
#include "app/SystemSignals.h"
#include "app/fMain.h"

namespace quintrel {

int Main(const MainWindowServices& services) {
    fMain window(services);
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
