#include "ui/QtProgramStarter.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace quintrel {

bool QtProgramStarter::Start(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) {
        return false;
    }
    // The path is the whole program name, blanks and all; nothing is split off as
    // arguments. The program runs in its own folder, where such programs keep their data;
    // a program run through another (wine) runs in the folder of the one it runs.
    const QString runs = arguments.isEmpty() ? program : arguments.last();
    return QProcess::startDetached(program, arguments, QFileInfo(runs).absolutePath());
}

bool QtProgramStarter::IsInstalled(const QString& name) {
    return !QStandardPaths::findExecutable(name).isEmpty();
}

}  // namespace quintrel
