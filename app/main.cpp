#include <QApplication>

#include "app/MainWindowServices.h"
#include "app/mMain.h"
#include "astro/CoreError.h"
#include "locations/AppPaths.h"
#include "ui/QtMessageBoxes.h"
#include "ui/QtProgramStarter.h"
#include "ui/QtSaveFileDialog.h"
#include "ui/QtSettingsStore.h"
#include "ui/report/ReportPictures.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintrel"));
    QApplication::setWindowIcon(quintrel::ProgramIcon());

    quintrel::QtSettingsStore settings;
    quintrel::QtMessageBoxes messages;
    quintrel::QtSaveFileDialog saveDialog;
    quintrel::QtProgramStarter programStarter;

    quintrel::MainWindowServices services;
    services.settings = &settings;
    services.messages = &messages;
    services.cdPrintSetup = &saveDialog;
    services.programStarter = &programStarter;
    try {
        services.placeDirectory = quintrel::PreparePlaceDirectory(
            quintrel::AppDirectory(QCoreApplication::applicationFilePath().toStdString()));
    } catch (const quintrel::CoreError& error) {
        // Without a folder for the places there is nothing to show; say why before closing.
        messages.Critical(QStringLiteral("Place File Error"),
                          QString::fromStdString(error.what()) +
                              QStringLiteral("\r\nQuintrel cannot start without its list of "
                                             "places and will now close."),
                          nullptr);
        return 1;
    }
    return quintrel::Main(services);
}
