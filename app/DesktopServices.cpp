#include "app/DesktopServices.h"

#include <QPointer>
#include <memory>

#include "ui/dlgLocations.h"

namespace quintrel {

std::function<bool(QWidget* parent, std::string& record, int mode)> RealLocationForm() {
    auto window = std::make_shared<QPointer<dlgLocations>>();
    return [window](QWidget* parent, std::string& record, int mode) {
        if (window->isNull()) {
            *window = new dlgLocations(parent);
        }
        return (*window)->FormSetup(record, mode);
    };
}

}  // namespace quintrel
