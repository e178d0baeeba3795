#include "app/mMain.h"

#include <QApplication>

#include "app/MainWindowServices.h"
#include "app/fMain.h"

namespace quintrel {

int Main(const MainWindowServices& services) {
    fMain window(services);
    if (!window.Form_Load()) {
        return 1;
    }
    window.show();
    return QApplication::exec();
}

}  // namespace quintrel
