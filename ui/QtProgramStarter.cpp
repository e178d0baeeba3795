#include "ui/QtProgramStarter.h"

#include <QFileInfo>
#include <QProcess>

namespace quintrel {

bool QtProgramStarter::Start(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    // The path is the whole program name, blanks and all; nothing is split off as
    // arguments. The program runs in its own folder, where such programs keep their data.
    const QString folder = QFileInfo(path).absolutePath();
    return QProcess::startDetached(path, {}, folder);
}

}  // namespace quintrel
